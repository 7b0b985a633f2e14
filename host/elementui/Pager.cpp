#include "Pager.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>
#include <set>
#include <vector>

namespace vela {

namespace {

constexpr int ButtonHeight = 24;
constexpr int ButtonMinimumWidth = 24;
// First, last, current +-2 and one gap filler or ellipsis on each side.
constexpr size_t SlotCount = 9;
constexpr unsigned long long EllipsisSlot = 0;

const QString& NormalStyle()
{
    static const QString style = QStringLiteral(
        "QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;"
        "background:rgb(255,255,255);border:1px solid rgb(189,199,213);border-radius:2px;"
        "color:rgb(40,40,51);padding:0px 8px;}"
        "QPushButton:hover{border-color:rgb(82,145,221);color:rgb(82,145,221);}"
        "QPushButton:disabled{color:rgb(168,172,181);border-color:rgb(210,215,220);}");
    return style;
}

const QString& CurrentStyle()
{
    static const QString style = QStringLiteral(
        "QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;"
        "background:rgb(82,145,221);border:1px solid rgb(82,145,221);border-radius:2px;"
        "color:rgb(255,255,255);padding:0px 8px;}"
        "QPushButton:disabled{background:rgb(168,190,224);border-color:rgb(168,190,224);}");
    return style;
}

const QString& EllipsisStyle()
{
    static const QString style = QStringLiteral(
        "QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;"
        "background:transparent;border:none;color:rgb(120,122,131);padding:0px 2px;}");
    return style;
}

void SetStyleOnce(QPushButton* button, const QString& style)
{
    if (button->styleSheet() != style)
        button->setStyleSheet(style);
}

} // namespace

Pager::Pager(QWidget* parent)
    : QWidget(parent)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    setFont(font);

    m_buttons = new QHBoxLayout(this);
    m_buttons->setContentsMargins(0, 0, 0, 0);
    m_buttons->setSpacing(6);
    m_buttons->addStretch(1);

    const auto makeButton = [this](const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setFixedHeight(ButtonHeight);
        button->setMinimumWidth(ButtonMinimumWidth);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(NormalStyle());
        m_buttons->addWidget(button);
        return button;
    };

    m_previous = makeButton(tr("上一页"));
    m_previous->setObjectName(QStringLiteral("PagerPreviousButton"));
    connect(m_previous, &QPushButton::clicked, this, [this] { GoTo(m_current - 1); });

    for (size_t i = 0; i < SlotCount; ++i) {
        QPushButton* button = makeButton(QString());
        m_slots.push_back(button);
        m_slotPages.push_back(EllipsisSlot);
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (m_slotPages[i] != EllipsisSlot)
                GoTo(m_slotPages[i]);
        });
    }

    m_next = makeButton(tr("下一页"));
    m_next->setObjectName(QStringLiteral("PagerNextButton"));
    connect(m_next, &QPushButton::clicked, this, [this] { GoTo(m_current + 1); });

    m_buttons->addStretch(1);
    Rebuild();
}

void Pager::ReShuffle(unsigned long long total, unsigned long long current)
{
    m_total = total;
    m_current = std::clamp(current, 1ULL, PageCount());
    Rebuild();
}

unsigned long long Pager::Total() const
{
    return m_total;
}

unsigned long long Pager::CurrentPage() const
{
    return m_current;
}

unsigned long long Pager::PageCount() const
{
    // No results still show one (disabled) page.
    const unsigned long long pages = m_total / PageSize + (m_total % PageSize != 0 ? 1 : 0);
    return std::max(pages, 1ULL);
}

QStringList Pager::PageLabels() const
{
    QStringList labels;
    for (QPushButton* button : m_slots) {
        if (!button->isHidden())
            labels << button->text();
    }
    return labels;
}

void Pager::Rebuild()
{
    const unsigned long long last = PageCount();
    const unsigned long long low = m_current > 2 ? m_current - 2 : 1;
    const unsigned long long high = std::min(last, m_current + 2);

    std::set<unsigned long long> shown{1, last};
    for (unsigned long long page = low; page <= high; ++page)
        shown.insert(page);

    // A gap of one page shows that page; a longer gap shows an ellipsis.
    std::vector<unsigned long long> pages;
    unsigned long long previous = 0;
    for (unsigned long long page : shown) {
        if (previous != 0 && page - previous == 2)
            pages.push_back(previous + 1);
        else if (previous != 0 && page - previous > 2)
            pages.push_back(EllipsisSlot);
        pages.push_back(page);
        previous = page;
    }

    const bool empty = m_total == 0;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        QPushButton* button = m_slots[i];
        if (i >= pages.size()) {
            button->hide();
            continue;
        }
        const unsigned long long page = pages[i];
        m_slotPages[i] = page;
        if (page == EllipsisSlot) {
            button->setText(QStringLiteral("..."));
            button->setEnabled(false);
            SetStyleOnce(button, EllipsisStyle());
        } else {
            button->setText(QString::number(page));
            button->setEnabled(!empty);
            SetStyleOnce(button, page == m_current ? CurrentStyle() : NormalStyle());
        }
        button->setCursor(page == EllipsisSlot || page == m_current ? Qt::ArrowCursor : Qt::PointingHandCursor);
        button->show();
    }

    m_previous->setEnabled(!empty && m_current > 1);
    m_next->setEnabled(!empty && m_current < last);
}

void Pager::GoTo(unsigned long long page)
{
    if (page < 1 || page > PageCount() || page == m_current)
        return;
    m_current = page;
    Rebuild();
    emit CurrentPageChanged(page);
}

} // namespace vela
