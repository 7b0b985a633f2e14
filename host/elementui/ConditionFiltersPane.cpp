#include "ConditionFiltersPane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace vela {

namespace {

constexpr int ControlHeight = 24;
constexpr int RowPitch = 32;
constexpr int FilterSpacing = 16;
constexpr int RangeInputWidth = 64;
constexpr int ChoiceMinimumWidth = 96;

void RegisterFilterMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<vela::EnumerableConditionFilterItem>("vela::EnumerableConditionFilterItem");
        qRegisterMetaType<vela::RangeBasedConditionFilterItem>("vela::RangeBasedConditionFilterItem");
        qRegisterMetaType<vela::BooleanConditionFilterItem>("vela::BooleanConditionFilterItem");
        return true;
    }();
    Q_UNUSED(registered)
}

// Typed numbers travel as numeric variants, not text, so that a receiver
// comparing two of them gets 9 < 12. Whole numbers become int, so their text
// is the number typed; others become double, whose text is the shortest form.
bool ParseNumber(const QString& text, QVariant* value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *value = QVariant();
        return true;
    }
    bool ok = false;
    const int whole = trimmed.toInt(&ok);
    if (ok) {
        *value = whole;
        return true;
    }
    const double number = trimmed.toDouble(&ok);
    if (ok && std::isfinite(number)) {
        *value = number;
        return true;
    }
    return false;
}

bool SameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

bool SameTag(const QVariant& a, const QVariant& b)
{
    if (a == b)
        return true;
    const QString text = a.toString();
    return !text.isEmpty() && text == b.toString();
}

QLabel* MakeLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFixedHeight(ControlHeight);
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return label;
}

} // namespace

// One filter's widgets and the value last reported for it.
struct ConditionFiltersPane::Filter
{
    enum class Kind { Enumerable, RangeBased, Boolean };

    Kind Type = Kind::Enumerable;
    std::shared_ptr<ConditionFilterItemBase> Item;
    QWidget* Box = nullptr;
    QComboBox* Choice = nullptr;
    int ChosenIndex = 0;
    QLineEdit* From = nullptr;
    QLineEdit* To = nullptr;
    QVariant FromValue;
    QVariant ToValue;
    // Set once the filter is replaced: its widgets may still signal until deleted.
    bool Retired = false;
};

ConditionFiltersPane::ConditionFiltersPane(QWidget* parent)
    : QFrame(parent)
{
    RegisterFilterMetaTypes();
    // Wraps within whatever width its row leaves it.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    setFont(font);
    // The pane's own sheet wins over whatever frame style its parent cascades.
    setStyleSheet(QStringLiteral(
        "vela--ConditionFiltersPane{border:none;background:transparent;}"
        "QLabel,QComboBox,QLineEdit,QComboBox QAbstractItemView{font-family:\"Microsoft YaHei\";font-size:12px;}"
        "QLabel{color:rgb(40,40,51);}"
        "QComboBox,QLineEdit{background:rgb(255,255,255);border:1px solid rgb(189,199,213);"
        "border-radius:2px;padding:0px 6px;color:rgb(40,40,51);}"
        "QComboBox:hover,QComboBox:focus,QLineEdit:hover,QLineEdit:focus{border-color:rgb(82,145,221);}"));
}

void ConditionFiltersPane::SetConditionFilters(const std::vector<std::shared_ptr<ConditionFilterItemBase>>& items)
{
    for (const auto& filter : m_filters) {
        filter->Retired = true;
        filter->Box->hide();
        filter->Box->deleteLater();
    }
    m_filters.clear();

    for (const auto& item : items) {
        if (!item)
            continue;
        auto filter = std::make_shared<Filter>();
        filter->Item = item;
        filter->Box = new QWidget(this);
        auto* row = new QHBoxLayout(filter->Box);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        row->addWidget(MakeLabel(item->GetName(), filter->Box));

        if (auto* enumerable = dynamic_cast<EnumerableConditionFilterItem*>(item.get())) {
            filter->Type = Filter::Kind::Enumerable;
            filter->Choice = new QComboBox(filter->Box);
            filter->Choice->addItem(enumerable->GetSelectValuePrompt());
            for (const auto& [value, text] : enumerable->GetEnumerableValues())
                filter->Choice->addItem(text.toString(), value);
        } else if (auto* boolean = dynamic_cast<BooleanConditionFilterItem*>(item.get())) {
            filter->Type = Filter::Kind::Boolean;
            filter->Choice = new QComboBox(filter->Box);
            filter->Choice->addItem(boolean->GetSelectValuePrompt());
            filter->Choice->addItem(boolean->GetTrueDisplayValue(), QVariant(true));
            filter->Choice->addItem(boolean->GetFalseDisplayValue(), QVariant(false));
        } else if (auto* range = dynamic_cast<RangeBasedConditionFilterItem*>(item.get())) {
            filter->Type = Filter::Kind::RangeBased;
            const auto makeInput = [&](const QString& prompt) {
                auto* input = new QLineEdit(filter->Box);
                input->setPlaceholderText(prompt);
                input->setFixedSize(RangeInputWidth, ControlHeight);
                input->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("-?\\d*\\.?\\d*")), input));
                connect(input, &QLineEdit::editingFinished, this, [this, filter] {
                    if (!filter->Retired)
                        CommitRange(*filter);
                });
                return input;
            };
            filter->From = makeInput(range->GetInputFromValuePrompt());
            filter->To = makeInput(range->GetInputToValuePrompt());
            row->addWidget(filter->From);
            row->addWidget(MakeLabel(QStringLiteral("~"), filter->Box));
            row->addWidget(filter->To);
        } else {
            delete filter->Box;
            continue;
        }

        if (filter->Choice) {
            filter->Choice->setFixedHeight(ControlHeight);
            filter->Choice->setMinimumWidth(ChoiceMinimumWidth);
            filter->Choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            row->addWidget(filter->Choice);
            connect(filter->Choice, QOverload<int>::of(&QComboBox::activated), this, [this, filter](int index) {
                if (!filter->Retired)
                    CommitChoice(*filter, index);
            });
        }
        if (!item->GetUnit().isEmpty())
            row->addWidget(MakeLabel(item->GetUnit(), filter->Box));

        filter->Box->show();
        m_filters.push_back(std::move(filter));
    }
    Relayout();
}

void ConditionFiltersPane::CommitChoice(Filter& filter, int index)
{
    if (index < 0 || index == filter.ChosenIndex)
        return;
    filter.ChosenIndex = index;
    ReportChange(filter);
}

void ConditionFiltersPane::CommitRange(Filter& filter)
{
    QVariant from;
    QVariant to;
    // Text that is not a number (a lone "-" or ".") falls back to what was reported.
    if (!ParseNumber(filter.From->text(), &from))
        from = filter.FromValue;
    if (!ParseNumber(filter.To->text(), &to))
        to = filter.ToValue;
    filter.From->setText(from.toString());
    filter.To->setText(to.toString());
    if (SameValue(from, filter.FromValue) && SameValue(to, filter.ToValue))
        return;
    filter.FromValue = from;
    filter.ToValue = to;
    ReportChange(filter);
}

void ConditionFiltersPane::ReportChange(const Filter& filter)
{
    switch (filter.Type) {
    case Filter::Kind::Enumerable:
        emit EnumerableConditionChanged(*static_cast<EnumerableConditionFilterItem*>(filter.Item.get()),
                                        filter.Choice->itemData(filter.ChosenIndex));
        break;
    case Filter::Kind::Boolean:
        emit BooleanConditionChanged(*static_cast<BooleanConditionFilterItem*>(filter.Item.get()),
                                     filter.Choice->itemData(filter.ChosenIndex));
        break;
    case Filter::Kind::RangeBased:
        emit RangeBasedConditionChanged(*static_cast<RangeBasedConditionFilterItem*>(filter.Item.get()),
                                        filter.FromValue, filter.ToValue);
        break;
    }
}

void ConditionFiltersPane::ResumeConditionFilter(const QVariant& tag)
{
    const auto found = std::find_if(m_filters.begin(), m_filters.end(),
                                    [&](const auto& filter) { return SameTag(filter->Item->Tag, tag); });
    if (found == m_filters.end())
        return;
    // Keep the filter alive even if a receiver replaces the filters while handling the report.
    const std::shared_ptr<Filter> filter = *found;
    if (filter->Choice) {
        filter->Choice->setCurrentIndex(0);
        filter->ChosenIndex = 0;
    } else {
        filter->From->clear();
        filter->To->clear();
        filter->FromValue = QVariant();
        filter->ToValue = QVariant();
    }
    ReportChange(*filter);
}

QSize ConditionFiltersPane::sizeHint() const
{
    int widest = 0;
    for (const auto& filter : m_filters)
        widest = std::max(widest, filter->Box->sizeHint().width());
    return {widest, m_contentHeight};
}

void ConditionFiltersPane::AdjustHeightToContent()
{
    Relayout();
    updateGeometry();
    // Without a layout above it nobody reads the size hint, so size directly.
    if (!parentWidget() || !parentWidget()->layout())
        resize(width(), std::clamp(m_contentHeight, minimumHeight(), maximumHeight()));
}

void ConditionFiltersPane::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        Relayout();
}

void ConditionFiltersPane::Relayout()
{
    const QRect area = contentsRect();
    int x = 0;
    int y = 0;
    int rows = m_filters.empty() ? 0 : 1;
    for (const auto& filter : m_filters) {
        const int boxWidth = std::min(filter->Box->sizeHint().width(), std::max(area.width(), 1));
        if (x > 0 && x + boxWidth > area.width()) {
            x = 0;
            y += RowPitch;
            ++rows;
        }
        filter->Box->setGeometry(area.left() + x, area.top() + y, boxWidth, ControlHeight);
        x += boxWidth + FilterSpacing;
    }
    const int contentHeight = rows * RowPitch;
    if (contentHeight != m_contentHeight) {
        m_contentHeight = contentHeight;
        updateGeometry();
    }
}

} // namespace vela
