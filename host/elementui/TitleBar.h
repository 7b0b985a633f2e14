#pragma once

#include "vela_elementui_export.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace vela {

// The title bar of a frameless window: icon, title, a pin tip, minimise and
// close buttons. Dragging it moves the window. Installed as an event filter
// on its window, it follows the window's title and icon.
class VELA_ELEMENTUI_EXPORT TitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBar(QWidget* parent);

    // A short note shown after the title (for example the project being added into).
    void SetPinTip(const QString& tip);
    QString PinTip() const;
    void SetMinBoxVisible(bool visible);
    bool IsMinBoxVisible() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Init();
    void SyncWithWindow();

    QLabel* m_iconLabel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_pinTipLabel = nullptr;
    QToolButton* m_minButton = nullptr;
    QToolButton* m_closeButton = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace vela
