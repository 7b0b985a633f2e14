#include "AppService.h"
#include "ComponentFile.h"
#include "ImageSlider.h"
#include "KelBulletin.h"
#include "LegendsPane.h"
#include "Mox3DPreviewWindow.h"
#include "Mox3DPreviewer.h"
#include "ParametersPane.h"
#include "PlazaPublicComponentDetailPanel.h"
#include "ScriptedCatalogBackend.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace vela;

namespace {

// Holds the answers to legend and specification requests until the test
// releases them; the component file URL is answered at once.
class HeldBackend : public test::ScriptedCatalogBackend
{
public:
    struct LegendCall
    {
        std::wstring ComponentId;
        Done<LegendList> Answer;
    };
    struct SpecificationCall
    {
        std::wstring ComponentId;
        std::wstring SpecificationId;
        Done<std::shared_ptr<ISpecification>> Answer;
    };

    std::vector<LegendCall> LegendCalls;
    std::vector<SpecificationCall> SpecificationCalls;
    std::wstring FileUrl;
    std::wstring FileError = L"no file";

    void GetLegend(const std::wstring& componentId, Done<LegendList> done) override
    {
        LegendCalls.push_back({componentId, std::move(done)});
    }
    void GetSpecification(const std::wstring& componentId, const std::wstring& specificationId,
                          Done<std::shared_ptr<ISpecification>> done) override
    {
        SpecificationCalls.push_back({componentId, specificationId, std::move(done)});
    }
    void GetComponentFileUrl(const std::wstring&, Done<std::wstring> done) override
    {
        FileError.empty() ? done({}, FileUrl) : done(FileError, {});
    }
};

std::shared_ptr<IParameter> Parameter(const std::wstring& name, const std::wstring& value, bool visible = true)
{
    auto parameter = std::make_shared<IParameter>();
    parameter->Name = name;
    parameter->Value = value;
    parameter->Unit = L"mm";
    parameter->Visible = visible;
    return parameter;
}

std::shared_ptr<ISpecification> Specification(const std::wstring& id,
                                               std::vector<std::shared_ptr<IParameter>> parameters)
{
    auto specification = std::make_shared<ISpecification>();
    specification->Id = id;
    specification->Name = L"Type " + id;
    for (size_t i = 0; i < parameters.size(); ++i) {
        specification->Parameters[L"p" + std::to_wstring(i)] = parameters[i];
    }
    return specification;
}

std::shared_ptr<ILegend> Legend(const std::wstring& name)
{
    return std::make_shared<ILegend>(ILegend{name, {}});
}

std::shared_ptr<IDetailedPublicComponent> Component(const std::wstring& id, const std::wstring& name,
                                                    std::vector<std::wstring> path = {},
                                                    std::vector<std::wstring> specificationIds = {})
{
    auto component = std::make_shared<IDetailedPublicComponent>();
    component->Id = id;
    component->Name = name;
    component->CategoryPath = std::move(path);
    for (const std::wstring& specificationId : specificationIds) {
        component->Specifications.push_back(Specification(specificationId, {}));
    }
    return component;
}

// Parameters and legends, by name.
template <class Record>
QStringList Names(const std::vector<std::shared_ptr<Record>>& records)
{
    QStringList names;
    for (const auto& record : records) {
        names << QString::fromStdWString(record->Name);
    }
    return names;
}

Mox3DPreviewWindow* PreviewWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Mox3DPreviewWindow*>(widget)) {
            return window;
        }
    }
    return nullptr;
}

bool Showed(const QString& message, int icon)
{
    const QVector<KelBulletin::Record> history = KelBulletin::History();
    return std::any_of(history.begin(), history.end(),
                       [&](const KelBulletin::Record& r) { return r.Message == message && r.Icon == icon; });
}

} // namespace

// What the detail panel shows of a component and what it asks the service layer for.
class tst_PlazaPublicComponentDetailPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void nullComponentIsIgnoredAndRepeatsRefresh();
    void nameAndCategory_data();
    void nameAndCategory();
    void longTextsAreElidedToThePanelWidth();
    void thumbnailsComeFromThe256Key();
    void legends_data();
    void legends();
    void specificationSelectionAndParameters();
    void clearingTheSelectorRequestsNothing();
    void lateRepliesOfOlderRequestsChangeNothing();
    void previewOfInvisibleParametersLoadsTheDownloadedFile();
    void failedDownloadShowsOneNotice_data();
    void failedDownloadShowsOneNotice();
    void iconOnlyButtonsSayWhatTheyDo();

private:
    // The header row is the panel's first layout item, the name its first widget.
    QLabel* NameLabel() const { return qobject_cast<QLabel*>(m_panel->layout()->itemAt(0)->layout()->itemAt(0)->widget()); }
    QLabel* CategoryLabel() const { return qobject_cast<QLabel*>(m_panel->layout()->itemAt(1)->widget()); }
    QPushButton* PreviewButton() const { return m_panel->findChild<QPushButton*>(QStringLiteral("PreviewMox3DPushButton")); }
    QComboBox* Selector() const { return m_panel->findChild<QComboBox*>(QStringLiteral("SpecificationSelector")); }
    void ReleaseSpecification(size_t index, std::shared_ptr<ISpecification> specification)
    {
        m_backend->SpecificationCalls.at(index).Answer({}, std::move(specification));
    }

    std::unique_ptr<AppService> m_app;
    std::shared_ptr<HeldBackend> m_backend;
    std::unique_ptr<PlazaPublicComponentDetailPanel> m_panel;
    QTemporaryDir m_files;
};

void tst_PlazaPublicComponentDetailPanel::initTestCase()
{
    m_app = std::make_unique<AppService>(L"code", L"2.0", Product::Sorn);
    AppService::Install(m_app.get());
    QVERIFY(m_files.isValid());
}

void tst_PlazaPublicComponentDetailPanel::init()
{
    m_backend = std::make_shared<HeldBackend>();
    CatalogBackend::Install(m_backend);
    KelBulletin::ClearHistory();
    m_panel = std::make_unique<PlazaPublicComponentDetailPanel>(nullptr);
    m_panel->setFixedSize(288, 640);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

void tst_PlazaPublicComponentDetailPanel::cleanup()
{
    m_panel.reset();
    CatalogBackend::Install(nullptr);
}

void tst_PlazaPublicComponentDetailPanel::nullComponentIsIgnoredAndRepeatsRefresh()
{
    auto component = Component(L"c1", L"Door.mox", {L"Doors"}, {L"s1"});
    QVERIFY(PreviewButton()->isVisibleTo(m_panel.get()));
    m_panel->SetDetailedComponent(component);
    QVERIFY(!PreviewButton()->isVisibleTo(m_panel.get()));
    QCOMPARE(m_backend->LegendCalls.size(), size_t(1));
    QCOMPARE(m_backend->LegendCalls[0].ComponentId, std::wstring(L"c1"));
    QCOMPARE(m_backend->SpecificationCalls.size(), size_t(1));
    ReleaseSpecification(0, Specification(L"s1", {Parameter(L"宽度", L"900")}));
    QTRY_VERIFY(PreviewButton()->isVisibleTo(m_panel.get()));

    m_panel->SetDetailedComponent(nullptr);
    QCOMPARE(NameLabel()->text(), QStringLiteral("Door"));
    QVERIFY(PreviewButton()->isVisibleTo(m_panel.get()));
    QCOMPARE(m_backend->LegendCalls.size(), size_t(1));
    QCOMPARE(m_backend->SpecificationCalls.size(), size_t(1));
    QCOMPARE(Selector()->count(), 1);

    // The same component again is a full refresh with new requests.
    m_panel->SetDetailedComponent(component);
    QVERIFY(!PreviewButton()->isVisibleTo(m_panel.get()));
    QCOMPARE(m_backend->LegendCalls.size(), size_t(2));
    QCOMPARE(m_backend->SpecificationCalls.size(), size_t(2));
}

void tst_PlazaPublicComponentDetailPanel::nameAndCategory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<QString>("shownCategory");

    QTest::newRow("extension stripped") << "Door.mox" << QStringList{"Doors", "Wooden"} << "Door"
                                        << QStringLiteral("分类: Doors/Wooden");
    QTest::newRow("upper-case extension kept") << "Door.MOX" << QStringList{"Doors"} << "Door.MOX"
                                               << QStringLiteral("分类: Doors");
    QTest::newRow("too short to strip") << "mox" << QStringList{} << "mox" << QStringLiteral("分类: ");
    QTest::newRow("only the extension") << ".mox" << QStringList{"A"} << "" << QStringLiteral("分类: A");
    QTest::newRow("extension in the middle") << "a.mox.b" << QStringList{"x", "", "y"} << "a.mox.b"
                                             << QStringLiteral("分类: x//y");
}

void tst_PlazaPublicComponentDetailPanel::nameAndCategory()
{
    QFETCH(QString, name);
    QFETCH(QStringList, path);
    QFETCH(QString, shownName);
    QFETCH(QString, shownCategory);

    QCOMPARE(CategoryLabel()->text(), QStringLiteral("分类: "));
    std::vector<std::wstring> categoryPath;
    for (const QString& entry : path) {
        categoryPath.push_back(entry.toStdWString());
    }
    m_panel->SetDetailedComponent(Component(L"c", name.toStdWString(), categoryPath));
    QCOMPARE(NameLabel()->text(), shownName);
    QCOMPARE(NameLabel()->toolTip(), shownName);
    QCOMPARE(CategoryLabel()->text(), shownCategory);
    QCOMPARE(CategoryLabel()->toolTip(), shownCategory);
}

void tst_PlazaPublicComponentDetailPanel::longTextsAreElidedToThePanelWidth()
{
    const QString name = QStringLiteral("双扇平开防火门带观察窗与闭门器加长型号").repeated(2);
    const QString category = QStringLiteral("建筑构件/门窗/平开门/防火门/甲级/双扇/带观察窗");
    std::vector<std::wstring> path;
    for (const QString& part : category.split(QLatin1Char('/'))) {
        path.push_back(part.toStdWString());
    }
    m_panel->SetDetailedComponent(Component(L"c", (name + QStringLiteral(".mox")).toStdWString(), path));

    const QString nameText = NameLabel()->text();
    QVERIFY(nameText.endsWith(QChar(0x2026)));
    QVERIFY(QFontMetrics(NameLabel()->font()).horizontalAdvance(nameText) <= m_panel->width() - 70);
    QVERIFY(QFontMetrics(NameLabel()->font()).horizontalAdvance(nameText) > m_panel->width() - 70 - 30);
    QCOMPARE(NameLabel()->toolTip(), name);

    const QString categoryText = CategoryLabel()->text();
    QVERIFY(categoryText.endsWith(QChar(0x2026)));
    QVERIFY(categoryText.startsWith(QStringLiteral("分类: ")));
    QVERIFY(QFontMetrics(CategoryLabel()->font()).horizontalAdvance(categoryText) <= m_panel->width() - 16);
    QCOMPARE(CategoryLabel()->toolTip(), QStringLiteral("分类: ") + category);
}

void tst_PlazaPublicComponentDetailPanel::thumbnailsComeFromThe256Key()
{
    auto* slider = m_panel->findChild<ImageSlider*>(QStringLiteral("ThumbnailImageSlider"));
    QVERIFY(slider);
    auto component = Component(L"c", L"n");
    component->Thumbnails[L"64"] = {L"file:///small.png"};
    component->Thumbnails[L"256"] = {L"file:///b.png", L"file:///a.png"};
    m_panel->SetDetailedComponent(component);
    QCOMPARE(slider->Images(), (QStringList{"file:///b.png", "file:///a.png"}));
    QCOMPARE(slider->CurrentIndex(), 0);

    auto others = Component(L"d", L"n");
    others->Thumbnails[L"64"] = {L"file:///small.png"};
    others->Thumbnails[L"512"] = {L"file:///large.png"};
    m_panel->SetDetailedComponent(others);
    QCOMPARE(slider->Count(), 0);
}

void tst_PlazaPublicComponentDetailPanel::legends_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("server");
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("server legends win") << "" << QStringList{"平面"} << QStringList{"立面"} << QStringList{"平面"};
    QTest::newRow("record as fallback") << "" << QStringList{} << QStringList{"立面", "剖面"}
                                        << QStringList{"立面", "剖面"};
    QTest::newRow("none at all") << "" << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("error ignores the record") << "timeout" << QStringList{} << QStringList{"立面"}
                                              << QStringList{};
}

void tst_PlazaPublicComponentDetailPanel::legends()
{
    QFETCH(QString, error);
    QFETCH(QStringList, server);
    QFETCH(QStringList, record);
    QFETCH(QStringList, shown);

    auto* pane = m_panel->findChild<LegendsPane*>();
    QVERIFY(pane);
    auto component = Component(L"c", L"n");
    for (const QString& name : record) {
        component->Legends.push_back(Legend(name.toStdWString()));
    }
    LegendList answer;
    for (const QString& name : server) {
        answer.push_back(Legend(name.toStdWString()));
    }
    pane->Expand(false);
    m_panel->SetDetailedComponent(component);
    QCOMPARE(m_backend->LegendCalls.size(), size_t(1));
    m_backend->LegendCalls[0].Answer(error.toStdWString(), answer);

    QTRY_COMPARE(Names(pane->Legends()), shown);
    QTRY_COMPARE(pane->isVisibleTo(m_panel.get()), !shown.isEmpty());
    QVERIFY(pane->IsExpanded());
}

void tst_PlazaPublicComponentDetailPanel::specificationSelectionAndParameters()
{
    auto* pane = m_panel->findChild<ParametersPane*>();
    auto component = Component(L"c", L"n", {}, {L"s1", L"s2"});
    component->Specifications.insert(component->Specifications.begin() + 1, nullptr);
    m_panel->SetDetailedComponent(component);

    QCOMPARE(Selector()->count(), 2);
    QCOMPARE(Selector()->itemText(1), QStringLiteral("Type s2"));
    QCOMPARE(m_backend->SpecificationCalls.size(), size_t(1));
    QCOMPARE(m_backend->SpecificationCalls[0].ComponentId, std::wstring(L"c"));
    QCOMPARE(m_backend->SpecificationCalls[0].SpecificationId, std::wstring(L"s1"));

    ReleaseSpecification(0, Specification(L"s1", {Parameter(L"宽度", L"900"), nullptr, Parameter(L"内部", L"1", false),
                                                  Parameter(L"高度", L"2100")}));
    QTRY_COMPARE(Names(pane->Parameters()), (QStringList{"宽度", "高度"}));
    QVERIFY(PreviewButton()->isVisibleTo(m_panel.get()));

    // A failed request clears the parameters and keeps the button hidden.
    Selector()->setCurrentIndex(1);
    QVERIFY(!PreviewButton()->isVisibleTo(m_panel.get()));
    QCOMPARE(m_backend->SpecificationCalls.back().SpecificationId, std::wstring(L"s2"));
    m_backend->SpecificationCalls.back().Answer(L"server error", nullptr);
    QTRY_VERIFY(pane->Parameters().empty());
    QVERIFY(!PreviewButton()->isVisibleTo(m_panel.get()));

    // So does a null specification.
    Selector()->setCurrentIndex(0);
    ReleaseSpecification(m_backend->SpecificationCalls.size() - 1, Specification(L"s1", {Parameter(L"宽度", L"9")}));
    QTRY_COMPARE(pane->Parameters().size(), size_t(1));
    Selector()->setCurrentIndex(1);
    ReleaseSpecification(m_backend->SpecificationCalls.size() - 1, nullptr);
    QTRY_VERIFY(pane->Parameters().empty());
    QVERIFY(!PreviewButton()->isVisibleTo(m_panel.get()));
}

void tst_PlazaPublicComponentDetailPanel::clearingTheSelectorRequestsNothing()
{
    auto* pane = m_panel->findChild<ParametersPane*>();
    m_panel->SetDetailedComponent(Component(L"c", L"n", {}, {L"s1"}));
    ReleaseSpecification(0, Specification(L"s1", {Parameter(L"宽度", L"900")}));
    QTRY_COMPARE(pane->Parameters().size(), size_t(1));

    // Given a filled selector, when a component without specifications arrives...
    QSignalSpy changes(Selector(), QOverload<int>::of(&QComboBox::currentIndexChanged));
    m_panel->SetDetailedComponent(Component(L"d", L"n"));
    // ...then -1 is reported, the pane is emptied and nothing is requested.
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toInt(), -1);
    QVERIFY(pane->Parameters().empty());
    QVERIFY(!PreviewButton()->isVisibleTo(m_panel.get()));
    QCOMPARE(m_backend->SpecificationCalls.size(), size_t(1));
    QCOMPARE(Selector()->count(), 0);
}

void tst_PlazaPublicComponentDetailPanel::lateRepliesOfOlderRequestsChangeNothing()
{
    auto* parameters = m_panel->findChild<ParametersPane*>();
    auto* legends = m_panel->findChild<LegendsPane*>();
    m_panel->SetDetailedComponent(Component(L"a", L"A", {}, {L"s1", L"s2"}));
    Selector()->setCurrentIndex(1);
    m_panel->SetDetailedComponent(Component(L"b", L"B", {}, {L"t1"}));
    QCOMPARE(m_backend->SpecificationCalls.size(), size_t(3));
    QCOMPARE(m_backend->LegendCalls.size(), size_t(2));

    // The newest answers first, the oldest last: the older requests were
    // superseded by the service layer before they ran, so the newest stays.
    ReleaseSpecification(2, Specification(L"t1", {Parameter(L"t1", L"1")}));
    QTRY_COMPARE(Names(parameters->Parameters()), QStringList{"t1"});
    ReleaseSpecification(1, Specification(L"s2", {Parameter(L"s2", L"1")}));
    ReleaseSpecification(0, Specification(L"s1", {Parameter(L"s1", L"1")}));
    m_backend->LegendCalls[1].Answer({}, {Legend(L"of B")});
    QTRY_COMPARE(Names(legends->Legends()), QStringList{"of B"});
    m_backend->LegendCalls[0].Answer({}, {Legend(L"of A")});
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(Names(parameters->Parameters()), QStringList{"t1"});
    QCOMPARE(Names(legends->Legends()), QStringList{"of B"});
    QVERIFY(PreviewButton()->isVisibleTo(m_panel.get()));
    QCOMPARE(NameLabel()->text(), QStringLiteral("B"));
}

void tst_PlazaPublicComponentDetailPanel::previewOfInvisibleParametersLoadsTheDownloadedFile()
{
    tarn::ComponentFile file;
    file.FamilyName = QStringLiteral("单扇平开门");
    file.Types.append({QStringLiteral("M0921"), {}});
    tarn::ComponentFile::Solid leaf;
    leaf.Origin = {0, 0, 0};
    leaf.Size = {900, 50, 2100};
    file.Solids.append(leaf);
    const QString path = m_files.filePath(QStringLiteral("door.json"));
    QVERIFY(file.Write(path, nullptr));
    m_backend->FileError.clear();
    m_backend->FileUrl = QUrl::fromLocalFile(path).toString().toStdWString();

    auto* pane = m_panel->findChild<ParametersPane*>();
    m_panel->SetDetailedComponent(Component(L"c", L"Door.mox", {}, {L"s1"}));
    ReleaseSpecification(0, Specification(L"s1", {Parameter(L"隐藏1", L"1", false), Parameter(L"隐藏2", L"2", false)}));
    QTRY_VERIFY(PreviewButton()->isVisibleTo(m_panel.get()));
    QVERIFY(pane->Parameters().empty());

    Mox3DPreviewWindow* window = PreviewWindow();
    QVERIFY(window);
    QSignalSpy loaded(window->Previewer(), &Mox3DPreviewer::LoadFinished);
    QTest::mouseClick(PreviewButton(), Qt::LeftButton);
    QCOMPARE(KelBulletin::History().size(), 1);
    QCOMPARE(KelBulletin::History().at(0).Message, QStringLiteral("正在准备，请稍候..."));
    QCOMPARE(KelBulletin::History().at(0).Icon, 4);

    QVERIFY(loaded.wait(10000));
    QCOMPARE(loaded.at(0).at(0).toBool(), true);
    QVERIFY(window->isVisible());
    QVERIFY(window->testAttribute(Qt::WA_ShowModal));
    QCOMPARE(Names(window->Previewer()->Parameters()), (QStringList{"隐藏1", "隐藏2"}));
    QCOMPARE(window->Previewer()->FamilyName(), QStringLiteral("单扇平开门"));
    QVERIFY(QFileInfo(window->Previewer()->FilePath()).isFile());
    // Reports went to the busy bulletin, which is closed now.
    const QVector<KelBulletin::Record> history = KelBulletin::History();
    QVERIFY(std::all_of(history.begin(), history.end(), [](const KelBulletin::Record& r) {
        return r.Icon == 4 && !r.SingleShot;
    }));
    QTRY_VERIFY(KelBulletin::OpenBulletins().isEmpty());
    window->close();
}

void tst_PlazaPublicComponentDetailPanel::failedDownloadShowsOneNotice_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("fileText");

    QTest::newRow("server error") << "服务器错误" << "";
    QTest::newRow("cancelled") << "操作取消" << "";
    QTest::newRow("broken file") << "" << "{ not json";
}

void tst_PlazaPublicComponentDetailPanel::failedDownloadShowsOneNotice()
{
    QFETCH(QString, error);
    QFETCH(QString, fileText);

    const QString path = m_files.filePath(QStringLiteral("broken.json"));
    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write(fileText.toUtf8());
    broken.close();
    m_backend->FileError = error.toStdWString();
    m_backend->FileUrl = QUrl::fromLocalFile(path).toString().toStdWString();

    m_panel->SetDetailedComponent(Component(L"c", L"n", {}, {L"s1"}));
    ReleaseSpecification(0, Specification(L"s1", {Parameter(L"宽度", L"900")}));
    QTRY_VERIFY(PreviewButton()->isVisibleTo(m_panel.get()));
    Mox3DPreviewWindow* window = PreviewWindow();
    QTest::mouseClick(PreviewButton(), Qt::LeftButton);

    QTRY_VERIFY(Showed(QStringLiteral("获取构件失败"), 3));
    const KelBulletin::Record notice = KelBulletin::History().constLast();
    QCOMPARE(notice.Message, QStringLiteral("获取构件失败"));
    QVERIFY(notice.SingleShot);
    QCOMPARE(notice.Duration, 1000);
    if (!error.isEmpty()) {
        QVERIFY(!Showed(error, 3) && !Showed(error, 4));
    }
    QVERIFY(!window->isVisible());
    QVERIFY(window->Previewer()->FilePath().isEmpty());
    // The busy bulletin is closed; at most the notice is still up.
    const QVector<KelBulletin*> open = KelBulletin::OpenBulletins();
    QVERIFY(std::none_of(open.begin(), open.end(), [](KelBulletin* b) { return b->Icon() == 4; }));
}

// Hover text and screen-reader name of the buttons that show only an icon;
// the legends toggle's follow its state.
void tst_PlazaPublicComponentDetailPanel::iconOnlyButtonsSayWhatTheyDo()
{
    const auto describe = [](QAbstractButton* button) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        return button->toolTip() + QLatin1Char('|') + (accessible ? accessible->text(QAccessible::Name) : QString());
    };
    auto* close = m_panel->findChild<QPushButton*>(QStringLiteral("CloseDetailButton"));
    QCOMPARE(describe(close), QStringLiteral("关闭详情|关闭详情"));
    QCOMPARE(describe(PreviewButton()), QStringLiteral("查看3D视图|查看3D视图"));

    auto* toggle = m_panel->findChild<QToolButton*>(QStringLiteral("LegendsToggleButton"));
    const QString before = describe(toggle);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(describe(toggle) != before);
    QCOMPARE(describe(toggle), toggle->toolTip() + QLatin1Char('|') + toggle->toolTip());
    QVERIFY(!toggle->toolTip().isEmpty());
}

QTEST_MAIN(tst_PlazaPublicComponentDetailPanel)
#include "tst_PlazaPublicComponentDetailPanel.moc"
