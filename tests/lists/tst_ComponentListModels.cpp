#include "CountingAccessManager.h"
#include "PathUtils.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsTableModel.h"
#include "UrlImageProvider.h"

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace vela;

namespace {

using Components = std::vector<std::shared_ptr<IComponent>>;

std::shared_ptr<IComponent> Make(const std::wstring& id, const std::wstring& thumbnail = std::wstring())
{
    auto component = std::make_shared<IComponent>();
    component->Id = id;
    component->Name = L"name-" + id;
    component->ThumbnailUrl = thumbnail;
    return component;
}

Components Page(int count, const std::wstring& prefix = L"c")
{
    Components page;
    for (int i = 0; i < count; ++i) {
        page.push_back(Make(prefix + std::to_wstring(i)));
    }
    return page;
}

// Per-model facts: where the check box lives and which signal ends a page.
template <class Model>
struct Traits;

template <>
struct Traits<PlazaPublicComponentsTableModel>
{
    static constexpr int CheckRole = Qt::UserRole;
    static constexpr int OtherRole = Qt::CheckStateRole;
    static constexpr int DecorationColumn = 1;
    static constexpr auto Updated = &PlazaPublicComponentsTableModel::TableUpdated;
};

template <>
struct Traits<PlazaPublicComponentsCardListModel>
{
    static constexpr int CheckRole = Qt::CheckStateRole;
    static constexpr int OtherRole = Qt::UserRole;
    static constexpr int DecorationColumn = 0;
    static constexpr auto Updated = &PlazaPublicComponentsCardListModel::ListUpdated;
};

// The summaries a model reported, as "state/count" text.
QStringList Summaries(const QSignalSpy& spy)
{
    QStringList text;
    for (const QList<QVariant>& arguments : spy) {
        text << QStringLiteral("%1/%2").arg(int(arguments.at(0).value<Qt::CheckState>())).arg(arguments.at(1).toInt());
    }
    return text;
}

} // namespace

class tst_ComponentListModels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<int32_t>("int32_t");
        qRegisterMetaType<Qt::CheckState>();
    }
    void contractHoldsOnEverySequence() { ContractHolds<TableModel>(); ContractHolds<CardModel>(); }
    void setComponentsSignalsInOrder() { SetComponentsOrder<TableModel>(); SetComponentsOrder<CardModel>(); }
    void checkStatesSummarise() { CheckStates<TableModel>(); CheckStates<CardModel>(); }
    void checkAllEmitsOneSummaryPerChangedRow() { CheckAll<TableModel>(); CheckAll<CardModel>(); }
    void onlyItsOwnCheckRoleWrites() { CheckRole<TableModel>(); CheckRole<CardModel>(); }
    void thumbnailIsFetchedOnceAndRepainted() { Thumbnail<TableModel>(); Thumbnail<CardModel>(); }
    void tableHeaderDescribesEverySection();
    void tableCheckedReadsAreInIdOrder();
    void cardRowUpdates();

private:
    using TableModel = PlazaPublicComponentsTableModel;
    using CardModel = PlazaPublicComponentsCardListModel;

    template <class Model> void ContractHolds();
    template <class Model> void SetComponentsOrder();
    template <class Model> void CheckStates();
    template <class Model> void CheckAll();
    template <class Model> void CheckRole();
    template <class Model> void Thumbnail();

    template <class Model>
    static bool Check(Model& model, int row, bool checked)
    {
        return model.setData(model.index(row, 0), checked, Traits<Model>::CheckRole);
    }

    template <class Model>
    static bool IsChecked(const Model& model, int row)
    {
        return model.data(model.index(row, 0), Traits<Model>::CheckRole).toBool();
    }
};

template <class Model>
void tst_ComponentListModels::ContractHolds()
{
    Model model(nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    // A new page is counted only from inside its insert bracket, the old one only until its remove bracket.
    QList<int> countsSeen;
    connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, this, [&] { countsSeen << model.rowCount(); });
    connect(&model, &QAbstractItemModel::rowsInserted, this, [&] { countsSeen << model.rowCount(); });
    connect(&model, &QAbstractItemModel::rowsRemoved, this, [&] { countsSeen << model.rowCount(); });

    model.SetComponents(Page(5));
    model.SetComponents(Page(3, L"d"));
    Components withHoles = Page(2, L"e");
    withHoles.insert(withHoles.begin() + 1, nullptr);
    model.SetComponents(withHoles);
    QVERIFY(!model.data(model.index(1, 0), Qt::DisplayRole).isValid());
    Check(model, 0, true);
    model.ChangeCheckStates(Qt::Checked);
    model.ChangeCheckStates(Qt::Unchecked);
    model.SetComponents({});
    model.SetComponents({});
    QCOMPARE(countsSeen, (QList<int>{0, 5, 0, 0, 3, 0, 0, 3, 0}));
}

template <class Model>
void tst_ComponentListModels::SetComponentsOrder()
{
    Model model(nullptr);
    model.SetComponents(Page(2));
    QStringList log;
    connect(&model, &QAbstractItemModel::rowsRemoved, this, [&] { log << "removed"; });
    connect(&model, &Model::CheckStatesChanged, this,
        [&](Qt::CheckState state, int32_t count) { log << QStringLiteral("summary %1/%2").arg(int(state)).arg(count); });
    connect(&model, &QAbstractItemModel::rowsInserted, this, [&] { log << "inserted"; });
    connect(&model, &QAbstractItemModel::dataChanged, this,
        [&](const QModelIndex& from, const QModelIndex& to, const QVector<int>& roles) {
            log << QStringLiteral("changed %1,%2-%3,%4 %5")
                       .arg(from.row()).arg(from.column()).arg(to.row()).arg(to.column()).arg(roles.size());
        });
    connect(&model, Traits<Model>::Updated, this, [&] { log << "updated"; });

    Check(model, 1, true);
    log.clear();
    model.SetComponents(Page(3, L"x"));
    const int lastColumn = model.columnCount() - 1;
    QCOMPARE(log, (QStringList{"removed", "summary 0/0", "inserted",
                      QStringLiteral("changed 0,0-2,%1 0").arg(lastColumn), "updated"}));
    QVERIFY(!IsChecked(model, 0) && !IsChecked(model, 1) && !IsChecked(model, 2));

    // An empty page has no index to report as changed.
    log.clear();
    model.SetComponents({});
    QCOMPARE(log, (QStringList{"removed", "summary 0/0", "updated"}));
    QCOMPARE(model.rowCount(), 0);
}

template <class Model>
void tst_ComponentListModels::CheckStates()
{
    Model model(nullptr);
    model.SetComponents(Page(3));
    QSignalSpy summaries(&model, &Model::CheckStatesChanged);
    std::vector<std::pair<std::wstring, bool>> perComponent;
    connect(&model, &Model::ComponentCheckStateChanged, this,
        [&](IComponent* component, const bool& checked) { perComponent.emplace_back(component->Id, checked); });

    for (int row = 0; row < 3; ++row) {
        QVERIFY(Check(model, row, true));
    }
    QCOMPARE(Summaries(summaries), (QStringList{"1/1", "1/2", "2/3"}));
    QVERIFY(Check(model, 1, false));
    QCOMPARE(Summaries(summaries).last(), QStringLiteral("1/2"));
    QCOMPARE(perComponent.size(), size_t(4));
    QVERIFY(perComponent.back() == std::make_pair(std::wstring(L"c1"), false));

    // Mirroring from the other view matches by id and skips rows already in that state.
    IComponent copy = *Make(L"c1");
    model.ChangeCheckState(&copy, true);
    QVERIFY(IsChecked(model, 1));
    QCOMPARE(Summaries(summaries).last(), QStringLiteral("2/3"));
    model.ChangeCheckState(&copy, true);
    IComponent stranger = *Make(L"elsewhere");
    model.ChangeCheckState(&stranger, false);
    model.ChangeCheckState(nullptr, false);
    QCOMPARE(summaries.size(), 5);
}

template <class Model>
void tst_ComponentListModels::CheckAll()
{
    Model model(nullptr);
    model.SetComponents(Page(5));
    Check(model, 1, true);
    Check(model, 3, true);
    QSignalSpy summaries(&model, &Model::CheckStatesChanged);
    int perComponent = 0;
    connect(&model, &Model::ComponentCheckStateChanged, this, [&] { ++perComponent; });
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    model.ChangeCheckStates(Qt::PartiallyChecked);
    QCOMPARE(summaries.size(), 0);

    model.ChangeCheckStates(Qt::Checked);
    QCOMPARE(Summaries(summaries), (QStringList{"1/3", "1/4", "2/5"}));
    QCOMPARE(perComponent, 3);
    QCOMPARE(changes.size(), 3);

    model.ChangeCheckStates(Qt::Checked);
    QCOMPARE(summaries.size(), 3);
    model.ChangeCheckStates(Qt::Unchecked);
    QCOMPARE(Summaries(summaries).last(), QStringLiteral("0/0"));
    QCOMPARE(summaries.size(), 8);

    // Rows with one id share one state: checking one shows both, and checking all touches it once.
    model.SetComponents({Make(L"same"), Make(L"other"), Make(L"same")});
    summaries.clear();
    QVERIFY(Check(model, 0, true));
    QVERIFY(IsChecked(model, 2));
    model.ChangeCheckStates(Qt::Checked);
    QCOMPARE(Summaries(summaries), (QStringList{"1/1", "2/2"}));
}

template <class Model>
void tst_ComponentListModels::CheckRole()
{
    Model model(nullptr);
    const Components page = Page(2);
    model.SetComponents(page);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy summaries(&model, &Model::CheckStatesChanged);

    QVERIFY(!model.setData(model.index(0, 0), true, Traits<Model>::OtherRole));
    QVERIFY(!model.setData(model.index(0, 0), true, Qt::DisplayRole));
    if constexpr (Traits<Model>::DecorationColumn == 1) {
        QVERIFY(!model.setData(model.index(0, 1), true, Traits<Model>::CheckRole));
    }
    // A record whose id changed behind the model's back has no state to write.
    page[1]->Id = L"renamed";
    QVERIFY(!Check(model, 1, true));
    QCOMPARE(changes.size(), 0);
    QCOMPARE(summaries.size(), 0);
    QVERIFY(!model.data(model.index(0, 0), Traits<Model>::OtherRole).isValid());
}

template <class Model>
void tst_ComponentListModels::Thumbnail()
{
    QTemporaryDir source;
    QVERIFY(source.isValid());
    const QString file = source.filePath(QStringLiteral("thumb.png"));
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(file));
    const std::wstring key = QUrl::fromLocalFile(file).toString().toStdWString();

    CountingAccessManager network;
    UrlImageProvider::SetNetworkAccessManager(&network);
    Model model(nullptr);
    model.SetComponents({Make(L"a"), Make(L"b", key)});
    const QModelIndex cell = model.index(1, Traits<Model>::DecorationColumn);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    // Missing: the default picture on every paint, and one download however often it is asked.
    const QImage defaultPicture = QIcon(QStringLiteral(":/images/default_thumbnail.png")).pixmap(64, 64).toImage();
    QVERIFY(!defaultPicture.isNull());
    for (int paint = 0; paint < 5; ++paint) {
        const QIcon icon = qvariant_cast<QIcon>(model.data(cell, Qt::DecorationRole));
        QCOMPARE(icon.pixmap(64, 64).toImage(), defaultPicture);
    }
    QCOMPARE(network.Requests, 1);

    // Delivered: the row is asked to repaint and now shows the stored picture.
    QVERIFY(changes.wait(5000));
    QCOMPARE(changes.first().at(0).toModelIndex(), cell);
    QCOMPARE(changes.first().at(2).value<QVector<int>>(), QVector<int>{Qt::DecorationRole});
    const QImage shown = qvariant_cast<QIcon>(model.data(cell, Qt::DecorationRole)).pixmap(32, 32).toImage();
    QCOMPARE(shown.pixelColor(16, 16), QColor(Qt::red));
    QVERIFY(QFile::exists(QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"))));
    UrlImageProvider::SetNetworkAccessManager(nullptr);
}

// Accessibility tools name every header section and every row from these.
void tst_ComponentListModels::tableHeaderDescribesEverySection()
{
    PlazaPublicComponentsTableModel model(nullptr);
    model.SetComponents(Page(4));
    QStringList sections;
    for (int section = 0; section < 4; ++section) {
        sections << model.headerData(section, Qt::Horizontal, Qt::AccessibleDescriptionRole).toString();
    }
    QCOMPARE(sections, (QStringList{"复选框", "构件名", "载入", "布置"}));
    QCOMPARE(model.headerData(3, Qt::Vertical, Qt::AccessibleDescriptionRole).toString(),
        QStringLiteral("Comopnent{id:c3}"));
    QCOMPARE(model.headerData(7, Qt::Vertical, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("ROW_7"));
}

void tst_ComponentListModels::tableCheckedReadsAreInIdOrder()
{
    PlazaPublicComponentsTableModel model(nullptr);
    model.SetComponents({Make(L"b"), Make(L"a"), nullptr, Make(L"c"), Make(L"b")});
    Check(model, 0, true);
    Check(model, 1, true);
    QCOMPARE(model.GetCheckedComponentIds(), (std::vector<std::wstring>{L"a", L"b"}));
    QCOMPARE(model.GetCheckedCount(), 2);
    const std::vector<IComponent> checked = model.GetCheckedComponents();
    QCOMPARE(checked.size(), size_t(3));
    QCOMPARE(checked[0].Id, std::wstring(L"a"));
    QCOMPARE(checked[2].Id, std::wstring(L"b"));
}

void tst_ComponentListModels::cardRowUpdates()
{
    PlazaPublicComponentsCardListModel model(nullptr);
    model.SetComponents(Page(2));
    const QModelIndex card = model.index(1, 0);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.UpdateRow(1);
    model.UpdateRow(9);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().at(0).toModelIndex(), card);
    QCOMPARE(changes.first().at(1).toModelIndex(), card);
}

QTEST_MAIN(tst_ComponentListModels)
#include "tst_ComponentListModels.moc"
