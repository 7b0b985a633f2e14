#include "CustomTab.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vela {

CustomTab::CustomTab(QWidget* parent)
    : QWidget(parent)
{
    InitUI();
}

void CustomTab::InitUI()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_header = new QWidget(this);
    m_header->setObjectName(QStringLiteral("CustomTabHeader"));
    m_headerLayout = new QHBoxLayout(m_header);
    m_headerLayout->setContentsMargins(0, 0, 0, 0);
    m_headerLayout->setSpacing(0);
    m_headerLayout->addStretch(1);
    layout->addWidget(m_header);

    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages, 1);

    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    connect(m_buttons, &QButtonGroup::idClicked, this, [this](int index) {
        if (index != m_pages->currentIndex()) {
            m_pages->setCurrentIndex(index);
        }
    });
    connect(m_pages, &QStackedWidget::currentChanged, this, [this](int index) {
        if (QAbstractButton* button = m_buttons->button(index)) {
            button->setChecked(true);
        }
        emit CurrentChanged(index);
    });
    UpdateHeaderVisibility();
}

QAbstractButton* CustomTab::CreateHeaderButton(const QString& title)
{
    auto* button = new QPushButton(title);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    button->setFont(font);
    button->setFixedHeight(28);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QPushButton{border:none;border-bottom:2px solid transparent;background:transparent;"
        "color:rgb(80,82,91);padding:0px 12px;}"
        "QPushButton:hover{color:rgb(82,145,221);}"
        "QPushButton:checked{color:rgb(82,145,221);border-bottom-color:rgb(82,145,221);}"));
    return button;
}

void CustomTab::AddTabItem(const QString& title, QWidget* page)
{
    if (!page) {
        return;
    }
    QAbstractButton* button = CreateHeaderButton(title);
    button->setParent(m_header);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    const int index = m_pages->addWidget(page);
    m_buttons->addButton(button, index);
    // Buttons go before the closing stretch.
    m_headerLayout->insertWidget(m_headerLayout->count() - 1, button);
    if (index == m_pages->currentIndex()) {
        button->setChecked(true);
    }
    UpdateHeaderVisibility();
}

void CustomTab::SetStandAloneHeaderVisible(bool visible)
{
    m_standAloneHeaderVisible = visible;
    UpdateHeaderVisibility();
}

QWidget* CustomTab::GetWidgetAt(int index) const
{
    return m_pages->widget(index);
}

void CustomTab::SwtichToTab(QWidget* page)
{
    const int index = page ? m_pages->indexOf(page) : -1;
    if (index >= 0) {
        m_pages->setCurrentIndex(index);
    }
}

void CustomTab::SetHeaderBackgorund(QColor& color)
{
    QPalette palette = m_header->palette();
    palette.setColor(QPalette::Window, color);
    m_header->setPalette(palette);
    m_header->setAutoFillBackground(true);
}

int CustomTab::Count() const
{
    return m_pages->count();
}

int CustomTab::CurrentIndex() const
{
    return m_pages->currentIndex();
}

bool CustomTab::IsHeaderShown() const
{
    return !m_header->isHidden();
}

void CustomTab::UpdateHeaderVisibility()
{
    m_header->setVisible(m_pages->count() > 1 || (m_pages->count() == 1 && m_standAloneHeaderVisible));
}

} // namespace vela
