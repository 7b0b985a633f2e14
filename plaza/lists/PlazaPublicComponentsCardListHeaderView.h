#pragma once

#include "plaza_export.h"

#include <QWidget>

class QLabel;

namespace vela {

// The strip above the cards: a check-all box labelled with "all components".
class PLAZA_EXPORT PlazaPublicComponentsCardListHeaderView : public QWidget
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentsCardListHeaderView(QWidget* parent);

signals:
    // Only a user's click on the check box emits it.
    void CheckStateChanged(Qt::CheckState state);

public slots:
    void ChangeCheckState(Qt::CheckState state);
    void RestoreCheckState();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Init();
    QRect HitArea() const;

    QLabel* m_checkBoxLabel;
    Qt::CheckState m_checkState = Qt::Unchecked;
    bool m_pressed = false;
};

} // namespace vela
