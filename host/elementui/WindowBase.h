#pragma once

#include "vela_elementui_export.h"

#include <QWidget>

class QSizeGrip;

namespace vela {

class TitleBar;

// A frameless top-level window with the library's title bar, a thin frame and
// a resize grip; subclasses fill ContentArea().
class VELA_ELEMENTUI_EXPORT WindowBase : public QWidget
{
    Q_OBJECT

public:
    explicit WindowBase(QWidget* parent);

    TitleBar* GetTitleBar() const { return m_titleBar; }
    QWidget* ContentArea() const { return m_contentArea; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void InitUI();

    TitleBar* m_titleBar = nullptr;
    QWidget* m_contentArea = nullptr;
    QSizeGrip* m_sizeGrip = nullptr;
    bool m_placed = false;
};

} // namespace vela
