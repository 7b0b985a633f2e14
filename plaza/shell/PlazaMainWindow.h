#pragma once

#include "plaza_export.h"

#include <QDialog>

class QStackedLayout;

namespace vela {

class PlazaPublicPage;
class TitleBar;

// The module's only top-level window: a frameless fixed-size dialog holding
// the public library page under a title bar, with a transparent mask that
// long operations raise over the page. One instance per process.
class PLAZA_EXPORT PlazaMainWindow : public QDialog
{
    Q_OBJECT

public:
    static void Initialize();
    static PlazaMainWindow* Get();
    static void Destroy();

    // Runs the window modally once `delay` milliseconds have passed; returns at once.
    void Display(int delay);
    void ShowMask();
    void HidMask();
    void SetTitleTip(QString tip);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    explicit PlazaMainWindow(QWidget* parent);
    ~PlazaMainWindow() override;
    void Init();

    TitleBar* m_titleBar = nullptr;
    QStackedLayout* m_maskLayout = nullptr;
    QWidget* m_pageHost = nullptr;
    QWidget* m_mask = nullptr;
    QStackedLayout* m_pageLayout = nullptr;
    PlazaPublicPage* m_page = nullptr;
    bool m_firstShow = true;
    // The host services outlive the window: their connections end with it.
    QMetaObject::Connection m_documentClosedConnection;
    QMetaObject::Connection m_hostStateConnection;

    static PlazaMainWindow* s_pInstance;
};

} // namespace vela
