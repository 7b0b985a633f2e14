#pragma once

#include "vela_elementui_export.h"

#include <QColor>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QStackedWidget;

namespace vela {

// Pages under a header of buttons, one page shown at a time. With a single
// page the header stands alone and may be hidden; the looks derive from it.
class VELA_ELEMENTUI_EXPORT CustomTab : public QWidget
{
    Q_OBJECT

public:
    explicit CustomTab(QWidget* parent);

    // Adds `page` under a header button titled `title`; the first page added is shown.
    void AddTabItem(const QString& title, QWidget* page);
    // Whether the header shows while the tab holds a single page (it always shows for more).
    void SetStandAloneHeaderVisible(bool visible);
    // Null for an index out of range.
    QWidget* GetWidgetAt(int index) const;
    // Shows `page` when it is one of this tab's pages.
    void SwtichToTab(QWidget* page);
    void SetHeaderBackgorund(QColor& color);

    int Count() const;
    int CurrentIndex() const;
    bool IsHeaderShown() const;

signals:
    void CurrentChanged(int index);

protected:
    // The look of a header button; called once per page added.
    virtual QAbstractButton* CreateHeaderButton(const QString& title);
    QWidget* Header() const { return m_header; }
    QHBoxLayout* HeaderLayout() const { return m_headerLayout; }

private:
    void InitUI();
    void UpdateHeaderVisibility();

    QWidget* m_header = nullptr;
    QHBoxLayout* m_headerLayout = nullptr;
    QButtonGroup* m_buttons = nullptr;
    QStackedWidget* m_pages = nullptr;
    bool m_standAloneHeaderVisible = true;
};

} // namespace vela
