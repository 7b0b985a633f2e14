#pragma once

#include "plaza_export.h"

#include <QHeaderView>

namespace vela {

// The table's header; its first section is a check-all box for the page.
class PLAZA_EXPORT PlazaPublicComponentsTableHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    PlazaPublicComponentsTableHeaderView(Qt::Orientation orientation, QWidget* parent);

signals:
    // Only a user's click on the check-all box emits it.
    void CheckStateChanged(Qt::CheckState state);

public slots:
    void ChangeCheckState(Qt::CheckState state);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    Qt::CheckState m_checkState = Qt::Unchecked;
    bool m_pressed = false;
};

} // namespace vela
