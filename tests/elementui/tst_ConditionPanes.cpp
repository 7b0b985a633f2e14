#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace vela;

namespace {

using Filters = std::vector<std::shared_ptr<ConditionFilterItemBase>>;
using Values = std::vector<std::shared_ptr<ConditionValueItemBase>>;

// A material drop-down, a fireproof yes/no and a width range, tagged by their codes.
Filters SampleFilters()
{
    auto material = std::make_shared<EnumerableConditionFilterItem>();
    material->AddEnumerableValue(QStringLiteral("C30"), QStringLiteral("混凝土"));
    material->AddEnumerableValue(QStringLiteral("Q235"), QStringLiteral("钢"));
    material->Tag = QStringLiteral("material");
    auto fireproof = std::make_shared<BooleanConditionFilterItem>();
    fireproof->SetTrueDisplayValue(QStringLiteral("是"));
    fireproof->SetFalseDisplayValue(QStringLiteral("否"));
    auto width = std::make_shared<RangeBasedConditionFilterItem>();
    width->SetInputFromValuePrompt(QStringLiteral("最小值"));
    width->SetInputToValuePrompt(QStringLiteral("最大值"));
    width->Tag = QStringLiteral("width");
    return {material, fireproof, width};
}

std::shared_ptr<ConditionValueItemBase> Value(const QString& tag, const QString& name, const QString& value)
{
    auto item = std::make_shared<GeneralConditionValueItem>();
    item->Tag = tag;
    item->SetDisplayName(name);
    item->SetDisplayValue(value);
    return item;
}

template <typename T>
QList<T*> Visible(const QWidget* pane)
{
    QList<T*> shown;
    for (auto* widget : pane->findChildren<T*>()) {
        if (widget->isVisibleTo(pane))
            shown << widget;
    }
    return shown;
}

void Type(QLineEdit* input, const QString& text)
{
    input->selectAll();
    QTest::keyClick(input, Qt::Key_Backspace);
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
}

} // namespace

// What the filters report as a user picks and types; the value chips' requests; both panes' heights.
class tst_ConditionPanes : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dropDownsReportValuesAndNullAtPrompt();
    void rangeReportsNumbersOnlyWhenThePairChanges();
    void resumeReturnsFilterToPromptAndReportsNull();
    void chipsAskToRemoveTheirItemOrClearAll();
    void heightsFollowTheWrappedRows();

private:
    std::unique_ptr<QWidget> m_window;
    ConditionFiltersPane* m_filters = nullptr;
    ConditionValuesPane* m_values = nullptr;
};

void tst_ConditionPanes::init()
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_filters = new ConditionFiltersPane(m_window.get());
    m_values = new ConditionValuesPane(m_window.get());
    for (QWidget* pane : {static_cast<QWidget*>(m_filters), static_cast<QWidget*>(m_values)}) {
        pane->setMinimumHeight(32);
        pane->setMaximumHeight(96);
        layout->addWidget(pane, 0, Qt::AlignTop);
    }
    layout->addStretch(1);
    m_filters->SetConditionFilters(SampleFilters());
    m_values->SetClearingText(QStringLiteral("清空条件"));
    m_values->SetResultCountPrefix(QStringLiteral("相关构件"));
    m_values->SetResultCountPostfix(QStringLiteral("个"));
    m_window->resize(900, 300);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_ConditionPanes::cleanup()
{
    m_window.reset();
}

void tst_ConditionPanes::dropDownsReportValuesAndNullAtPrompt()
{
    QSignalSpy enumerable(m_filters, &ConditionFiltersPane::EnumerableConditionChanged);
    QSignalSpy boolean(m_filters, &ConditionFiltersPane::BooleanConditionChanged);
    const auto combos = Visible<QComboBox>(m_filters);
    QComboBox* material = combos.at(0);
    QComboBox* fireproof = combos.at(1);
    QCOMPARE(fireproof->itemText(1), QStringLiteral("是"));

    for (auto key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(material, key);
    QCOMPARE(enumerable.count(), 4);
    QCOMPARE(enumerable[0][0].value<EnumerableConditionFilterItem>().Tag, QVariant(QStringLiteral("material")));
    QCOMPARE(enumerable[0][1], QVariant(QStringLiteral("C30")));
    QCOMPARE(enumerable[1][1], QVariant(QStringLiteral("Q235")));
    QVERIFY(enumerable[3][1].isNull());

    QTest::keyClick(fireproof, Qt::Key_Down);
    QTest::keyClick(fireproof, Qt::Key_Down);
    QCOMPARE(boolean.count(), 2);
    QCOMPARE(boolean[0][1], QVariant(true));
    QCOMPARE(boolean[1][1], QVariant(false));
    QVERIFY(QMetaType::type("vela::BooleanConditionFilterItem") != QMetaType::UnknownType);
}

void tst_ConditionPanes::rangeReportsNumbersOnlyWhenThePairChanges()
{
    QSignalSpy range(m_filters, &ConditionFiltersPane::RangeBasedConditionChanged);
    QLineEdit* from = Visible<QLineEdit>(m_filters).at(0);
    QLineEdit* to = Visible<QLineEdit>(m_filters).at(1);
    QCOMPARE(to->placeholderText(), QStringLiteral("最大值"));

    Type(from, QStringLiteral("9"));
    Type(to, QStringLiteral("12"));
    QCOMPARE(range.count(), 2);
    QCOMPARE(range[0][0].value<RangeBasedConditionFilterItem>().Tag, QVariant(QStringLiteral("width")));
    QVERIFY(range[0][2].isNull());
    QCOMPARE(range[1][1].toString(), QStringLiteral("9"));
    QCOMPARE(range[1][2].toString(), QStringLiteral("12"));
    // Receivers compare the pair as numbers, not as text.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QVERIFY(range[1][1] < range[1][2]);
    QT_WARNING_POP

    // The same number again, or text that is no number, reports nothing.
    Type(to, QStringLiteral("12.0"));
    Type(from, QStringLiteral("-"));
    QCOMPARE(range.count(), 2);
    QCOMPARE(from->text(), QStringLiteral("9"));

    Type(from, QString());
    QCOMPARE(range.count(), 3);
    QVERIFY(range[2][1].isNull());
}

void tst_ConditionPanes::resumeReturnsFilterToPromptAndReportsNull()
{
    QSignalSpy enumerable(m_filters, &ConditionFiltersPane::EnumerableConditionChanged);
    QSignalSpy range(m_filters, &ConditionFiltersPane::RangeBasedConditionChanged);
    QComboBox* material = Visible<QComboBox>(m_filters).at(0);
    QLineEdit* from = Visible<QLineEdit>(m_filters).at(0);
    QTest::keyClick(material, Qt::Key_Down);
    Type(from, QStringLiteral("3"));

    m_filters->ResumeConditionFilter(QStringLiteral("material"));
    m_filters->ResumeConditionFilter(QStringLiteral("width"));
    m_filters->ResumeConditionFilter(QStringLiteral("unknown"));
    QCOMPARE(enumerable.count(), 2);
    QCOMPARE(range.count(), 2);
    QVERIFY(enumerable[1][1].isNull());
    QVERIFY(range[1][1].isNull() && range[1][2].isNull());
    QCOMPARE(material->currentIndex(), 0);
    QVERIFY(from->text().isEmpty());

    // A filter back at its prompt reports the user's next pick again.
    QTest::keyClick(material, Qt::Key_Down);
    QCOMPARE(enumerable.count(), 3);
}

void tst_ConditionPanes::chipsAskToRemoveTheirItemOrClearAll()
{
    QSignalSpy removed(m_values, &ConditionValuesPane::RemoveConditionValueRequired);
    QSignalSpy cleared(m_values, &ConditionValuesPane::ClearConditionValuesRequired);
    QVERIFY(Visible<QPushButton>(m_values).isEmpty());
    const auto keyword = Value(QStringLiteral("Keyword"), QStringLiteral("关键词"), QStringLiteral("门"));
    m_values->SetConditionValues(Values{keyword, Value(QStringLiteral("width"), QStringLiteral("宽度"), "≥9")});
    QStringList texts;
    for (auto* label : Visible<QLabel>(m_values))
        texts << label->text();
    QVERIFY(texts.contains(QStringLiteral("关键词: 门")) && texts.contains(QStringLiteral("宽度: ≥9")));

    // The page answers a removal by replacing the chips, including the one clicked.
    connect(m_values, &ConditionValuesPane::RemoveConditionValueRequired, this,
            [&] { m_values->SetConditionValues(Values{keyword}); });
    auto chips = Visible<QToolButton>(m_values);
    std::sort(chips.begin(), chips.end(),
              [this](auto* a, auto* b) { return a->mapTo(m_values, QPoint()).x() < b->mapTo(m_values, QPoint()).x(); });
    QTest::mouseClick(chips.at(1), Qt::LeftButton);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed[0][0].value<GeneralConditionValueItem>().Tag, QVariant(QStringLiteral("width")));
    QTRY_COMPARE(Visible<QToolButton>(m_values).size(), 1);

    const auto clear = Visible<QPushButton>(m_values);
    QCOMPARE(clear.size(), 1);
    QTest::mouseClick(clear[0], Qt::LeftButton);
    QCOMPARE(cleared.count(), 1);
    m_values->SetConditionValues(Values{});
    QVERIFY(Visible<QPushButton>(m_values).isEmpty());
}

void tst_ConditionPanes::heightsFollowTheWrappedRows()
{
    m_values->SetResultCount(12);
    QCOMPARE(m_values->ResultCountText(), QStringLiteral("相关构件 12 个"));
    QLabel* count = m_values->findChild<QLabel*>(QStringLiteral("ConditionValuesResultCount"));
    QCOMPARE(count->text(), m_values->ResultCountText());
    QCOMPARE(count->geometry().right(), m_values->contentsRect().right());

    m_filters->AdjustHeightToContent();
    m_values->AdjustHeightToContent();
    QTRY_COMPARE(m_filters->height(), 32);
    QTRY_COMPARE(m_values->height(), 32);

    const Filters sample = SampleFilters();
    Filters filters;
    Values values;
    for (int i = 0; i < 30; ++i) {
        filters.push_back(sample[i % 3]);
        values.push_back(Value(QString::number(i), QStringLiteral("属性%1").arg(i), QStringLiteral("一个较长的值")));
    }
    m_filters->SetConditionFilters(filters);
    m_values->SetConditionValues(values);
    m_filters->AdjustHeightToContent();
    m_values->AdjustHeightToContent();
    QTRY_COMPARE(m_filters->height(), 96);
    QTRY_COMPARE(m_values->height(), 96);

    // A narrower pane wraps the same filters into more rows.
    m_filters->SetConditionFilters(sample);
    m_window->resize(m_filters->sizeHint().width() * 2, 300);
    m_filters->AdjustHeightToContent();
    QTRY_COMPARE(m_filters->height(), 64);
}

QTEST_MAIN(tst_ConditionPanes)
#include "tst_ConditionPanes.moc"
