#include "ComponentFileCatalog.h"
#include "Document.h"
#include "DocumentView.h"

#include <QTest>

using namespace plazahost;

namespace {

// Every row as "indent name | note", depth first.
QStringList Rows(const QTreeWidget& view)
{
    QStringList rows;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        rows << QString(depth * 2, QLatin1Char(' ')) + item->text(0) + QStringLiteral(" | ") + item->text(1);
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    for (int i = 0; i < view.topLevelItemCount(); ++i) {
        walk(view.topLevelItem(i), 0);
    }
    return rows;
}

std::shared_ptr<const tarn::ComponentFile> Door()
{
    return std::make_shared<tarn::ComponentFile>(
        vela::test::ComponentFileCatalog::MakeFile(QStringLiteral("门"), {QStringLiteral("M0921"), QStringLiteral("M1021")}, 900));
}

} // namespace

class tst_DocumentView : public QObject
{
    Q_OBJECT

private slots:
    void showsFamiliesTypesAndInstances();
    void followsChangesAndKeepsFolding();
    void emptiesWhenDocumentGoes();
};

void tst_DocumentView::showsFamiliesTypesAndInstances()
{
    tarn::Document document(L"项目1");
    const tarn::Family* family = document.LoadFamily(Door(), tarn::KeepExistingAndRename, nullptr, nullptr);
    const tarn::RuntimeId placed = document.PlaceInstance(family->Types().front()->GetUniIdentity(), {0, 0, 0});
    DocumentView view;
    view.SetDocument(&document);

    QCOMPARE(Rows(view), (QStringList{QStringLiteral("项目1 | 1 个族，1 个实例"),
                                      QStringLiteral("  门 | 类别 A01，2 个类型"),
                                      QStringLiteral("    M0921 | 宽度=900mm"),
                                      QStringLiteral("      实例 #%1 | 位置 (0, 0, 0) mm").arg(placed.Value()),
                                      QStringLiteral("    M1021 | 宽度=900mm")}));
}

void tst_DocumentView::followsChangesAndKeepsFolding()
{
    tarn::Document document(L"项目1");
    DocumentView view;
    view.SetDocument(&document);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.topLevelItem(0)->childCount(), 0);

    document.LoadFamily(Door(), tarn::KeepExistingAndRename, nullptr, nullptr);
    QTRY_COMPARE(view.topLevelItem(0)->childCount(), 1);
    view.collapseItem(view.topLevelItem(0)->child(0));

    document.LoadFamily(Door(), tarn::KeepExistingAndRename, nullptr, nullptr);
    QTRY_COMPARE(view.topLevelItem(0)->childCount(), 2);
    QCOMPARE(view.topLevelItem(0)->child(1)->text(0), QStringLiteral("门(1)"));
    QVERIFY(!view.topLevelItem(0)->child(0)->isExpanded());
    QVERIFY(view.topLevelItem(0)->child(1)->isExpanded());
}

void tst_DocumentView::emptiesWhenDocumentGoes()
{
    auto document = std::make_unique<tarn::Document>(L"项目1");
    DocumentView view;
    view.SetDocument(document.get());
    QCOMPARE(view.topLevelItemCount(), 1);
    document.reset();
    QTRY_COMPARE(view.topLevelItemCount(), 0);
    QVERIFY(!view.Document());
}

QTEST_MAIN(tst_DocumentView)
#include "tst_DocumentView.moc"
