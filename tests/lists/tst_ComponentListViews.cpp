#include "AppService.h"
#include "PlazaPublicComponentItemDelegate.h"
#include "PlazaPublicComponentsCardListHeaderView.h"
#include "PlazaPublicComponentsCardListItemDelegate.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableHeaderView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PathUtils.h"
#include "ScriptedCatalogBackend.h"

#include <QApplication>
#include <QBuffer>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vela;

namespace {

constexpr int TableCheckRole = Qt::UserRole;
const QColor Blue(82, 145, 221);

// Reads back which check box figure a widget shows with its box at `box`: the
// fill just inside the frame is blue only when checked, the centre also when partial.
Qt::CheckState FigureAt(QWidget* widget, const QPoint& box)
{
    const QImage image = widget->grab().toImage();
    if (image.pixelColor(box + QPoint(1, 6)) == Blue) {
        return Qt::Checked;
    }
    return image.pixelColor(box + QPoint(5, 5)) == Blue ? Qt::PartiallyChecked : Qt::Unchecked;
}

// A view of `count` components, on screen and ready for input.
template <class View>
std::unique_ptr<View> Shown(int count)
{
    auto view = std::make_unique<View>(nullptr);
    view->resize(600, 400);
    view->Model()->SetComponents(test::MakeComponents(count));
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) {
        return nullptr;
    }
    return view;
}

void MoveMouse(QWidget* viewport, const QPoint& position)
{
    QMouseEvent move(QEvent::MouseMove, position, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

QStringList CheckedRows(const QAbstractItemModel* model, int role)
{
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        rows << (model->index(row, 0).data(role).toBool() ? "x" : "-");
    }
    return rows;
}

// Which request a delegate emitted, as text.
template <class Delegate>
class Requests
{
public:
    explicit Requests(Delegate* delegate)
    {
        QObject::connect(delegate, &Delegate::AddComponentIntoProjectRequired, &m_context, [this] { m_seen << "add"; });
        QObject::connect(delegate, &Delegate::LoadComponentIntoDocumentRequired, &m_context, [this] { m_seen << "load"; });
        QObject::connect(delegate, &Delegate::PlaceComponentIntoDocumentRequired, &m_context, [this] { m_seen << "place"; });
    }
    QString Seen() const { return m_seen.isEmpty() ? QStringLiteral("none") : m_seen.join(','); }

private:
    QObject m_context;
    QStringList m_seen;
};

} // namespace

class tst_ComponentListViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<int32_t>("int32_t");
        qRegisterMetaType<Qt::CheckState>();
    }
    void cleanup() { m_app.reset(); }

    void tableHeaderBoxChecksThePage();
    void tableRowsAndCheckCells();
    void tableOperationTexts_data();
    void tableOperationTexts();
    void cardHeaderHitArea();
    void cardGridWraps();
    void cardButtons_data();
    void cardButtons();
    void cardThumbnailsAreSmallAndRepaired_data();
    void cardThumbnailsAreSmallAndRepaired();

private:
    void UseProduct(int product)
    {
        m_app.reset();
        if (product >= 0) {
            m_app = std::make_unique<AppService>(L"code", L"1.0", static_cast<Product>(product));
            AppService::Install(m_app.get());
        }
    }

    std::unique_ptr<AppService> m_app;
};

void tst_ComponentListViews::tableHeaderBoxChecksThePage()
{
    const auto shown = Shown<PlazaPublicComponentsTableView>(3);
    QVERIFY(shown);
    PlazaPublicComponentsTableView& view = *shown;
    PlazaPublicComponentsTableHeaderView* header = view.HorizontalHeader();
    QVERIFY(header);
    const QPoint box(header->sectionViewportPosition(0) + (header->sectionSize(0) - 12) / 2, 6);
    const QPoint section0(header->sectionViewportPosition(0) + header->sectionSize(0) / 2, 12);
    QCOMPARE(FigureAt(header->viewport(), box), Qt::Unchecked);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section0);
    QCOMPARE(CheckedRows(view.model(), TableCheckRole), (QStringList{"x", "x", "x"}));
    QCOMPARE(FigureAt(header->viewport(), box), Qt::Checked);

    // Some checked: the partial figure, and a click checks the rest.
    view.model()->setData(view.model()->index(1, 0), false, TableCheckRole);
    QCOMPARE(FigureAt(header->viewport(), box), Qt::PartiallyChecked);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section0);
    QCOMPARE(CheckedRows(view.model(), TableCheckRole), (QStringList{"x", "x", "x"}));

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section0);
    QCOMPARE(CheckedRows(view.model(), TableCheckRole), (QStringList{"-", "-", "-"}));
    QCOMPARE(FigureAt(header->viewport(), box), Qt::Unchecked);

    // A press on section 0 released elsewhere, or the reverse, is no click.
    QSignalSpy clicks(header, &PlazaPublicComponentsTableHeaderView::CheckStateChanged);
    const QPoint section1(header->sectionViewportPosition(1) + 20, 12);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, section0);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, section1);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, section1);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, section0);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(CheckedRows(view.model(), TableCheckRole), (QStringList{"-", "-", "-"}));

    // A new page starts unchecked whatever the header showed.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, section0);
    view.Model()->SetComponents(test::MakeComponents(2));
    QCOMPARE(FigureAt(header->viewport(), box), Qt::Unchecked);
}

void tst_ComponentListViews::tableRowsAndCheckCells()
{
    const auto shown = Shown<PlazaPublicComponentsTableView>(3);
    QVERIFY(shown);
    PlazaPublicComponentsTableView& view = *shown;
    view.resize(900, 400);
    QTRY_COMPARE(view.columnWidth(0) + view.columnWidth(1) + 50 + 150, view.viewport()->width());
    QCOMPARE(view.columnWidth(3), 150);

    // The whole check cell is the hit area; the press toggles and is consumed, the release does nothing.
    const QPoint corner = view.visualRect(view.model()->index(1, 0)).topLeft() + QPoint(1, 1);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, corner);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, corner);
    QCOMPARE(CheckedRows(view.model(), TableCheckRole), (QStringList{"-", "x", "-"}));
    QVERIFY(!view.selectionModel()->isRowSelected(1, QModelIndex()));
}

void tst_ComponentListViews::tableOperationTexts_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<QString>("loadTip");
    QTest::addColumn<QString>("expected");
    const QString loadTip = QStringLiteral("载入构件至本地");
    QTest::newRow("sorn") << int(Product::Sorn) << QStringLiteral("载入|布置") << loadTip << "load,place";
    QTest::newRow("lumen") << int(Product::Lumen) << QStringLiteral("载入|") << loadTip << "load";
    QTest::newRow("rivo") << int(Product::Rivo) << QStringLiteral("载入|") << QStringLiteral("同时载入构件至项目库与本地")
                          << "add";
    QTest::newRow("no application service") << -1 << QStringLiteral("|") << QString() << "none";
}

void tst_ComponentListViews::tableOperationTexts()
{
    QFETCH(int, product);
    QFETCH(QString, texts);
    QFETCH(QString, loadTip);
    QFETCH(QString, expected);
    UseProduct(product);
    const auto shown = Shown<PlazaPublicComponentsTableView>(3);
    QVERIFY(shown);
    PlazaPublicComponentsTableView& view = *shown;
    QCOMPARE(view.model()->index(0, 2).data().toString() + '|' + view.model()->index(0, 3).data().toString(), texts);
    QWidget* viewport = view.viewport();
    const QRect load = view.visualRect(view.model()->index(0, 2));
    const QRect place = view.visualRect(view.model()->index(1, 3));
    const QPoint onLoadText(load.left() + 4, load.center().y());
    const QPoint onPlaceText(place.left() + 4, place.center().y());
    const QPoint besidePlaceText(place.right() - 4, place.center().y());

    MoveMouse(viewport, onLoadText);
    QCOMPARE(view.toolTip(), loadTip);
    QCOMPARE(view.cursor().shape(), product >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    MoveMouse(viewport, besidePlaceText);
    QCOMPARE(view.toolTip(), QString());
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);

    // Presses start operations on the text only; beside it the press selects the row.
    Requests<PlazaPublicComponentItemDelegate> requests(view.ItemDelegate());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, onLoadText);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, onPlaceText);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, besidePlaceText);
    QCOMPARE(requests.Seen(), expected);
    QVERIFY(view.selectionModel()->isRowSelected(1, QModelIndex()));
}

void tst_ComponentListViews::cardHeaderHitArea()
{
    const auto shown = Shown<PlazaPublicComponentsCardListView>(3);
    QVERIFY(shown);
    PlazaPublicComponentsCardListView& view = *shown;
    auto* header = view.findChild<PlazaPublicComponentsCardListHeaderView*>();
    QVERIFY(header);
    QSignalSpy clicks(header, &PlazaPublicComponentsCardListHeaderView::CheckStateChanged);
    const QPoint box(10, 6);

    // Left of the drawn box is inside the 21 x 24 area; right of it, over the label, is not.
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(CheckedRows(view.Model(), Qt::CheckStateRole), (QStringList{"x", "x", "x"}));
    QCOMPARE(FigureAt(header, box), Qt::Checked);
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(25, 12));
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(20, 24));
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(15, 12));
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(40, 12));
    QCOMPARE(clicks.size(), 1);

    view.Model()->setData(view.Model()->index(0, 0), false, Qt::CheckStateRole);
    QCOMPARE(FigureAt(header, box), Qt::PartiallyChecked);

    // Restoring only resets the figure; the model is not told.
    header->RestoreCheckState();
    QCOMPARE(FigureAt(header, box), Qt::Unchecked);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(CheckedRows(view.Model(), Qt::CheckStateRole), (QStringList{"-", "x", "x"}));
}

void tst_ComponentListViews::cardGridWraps()
{
    const auto shown = Shown<PlazaPublicComponentsCardListView>(6);
    QVERIFY(shown);
    PlazaPublicComponentsCardListView& view = *shown;
    auto* list = view.findChild<QListView*>(QStringLiteral("PlazaPublicComponentsCardListView"));
    QVERIFY(list);
    const auto card = [&](int row) { return list->visualRect(view.Model()->index(row, 0)); };
    QCOMPARE(card(0).size(), QSize(128, 136));
    QCOMPARE(card(1).left() - card(0).right() - 1, 13);
    QCOMPARE(card(1).top(), card(0).top());

    view.resize(300, 400);
    QTRY_VERIFY(card(1).top() > card(0).bottom());
    QVERIFY(!list->horizontalScrollBar()->isVisible());
}

void tst_ComponentListViews::cardButtons_data()
{
    // Points are offsets from the card content's bottom-left corner (content = card less 2 px
    // left and right, 1 px top and bottom); the 134-pixel-high content puts its check box at (6..17, -127..-116).
    QTest::addColumn<int>("product");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("tip");
    const QString name = QStringLiteral("Component 0");
    QTest::newRow("sorn place") << int(Product::Sorn) << QPoint(30, -40) << "place" << QStringLiteral("载入构件并布置");
    QTest::newRow("sorn load") << int(Product::Sorn) << QPoint(92, -40) << "load" << QStringLiteral("载入构件至本地");
    QTest::newRow("sorn gap between") << int(Product::Sorn) << QPoint(61, -40) << "none" << name;
    QTest::newRow("lumen load") << int(Product::Lumen) << QPoint(62, -40) << "load" << QStringLiteral("载入构件至本地");
    QTest::newRow("lumen beside") << int(Product::Lumen) << QPoint(15, -40) << "none" << name;
    QTest::newRow("rivo add, low") << int(Product::Rivo) << QPoint(62, -26) << "add"
                                   << QStringLiteral("同时载入构件至项目库与本地");
    QTest::newRow("rivo above its button") << int(Product::Rivo) << QPoint(62, -50) << "none" << name;
    QTest::newRow("no application service") << -1 << QPoint(62, -40) << "none" << name;
    QTest::newRow("check box") << -1 << QPoint(12, -121) << "check" << QString();
}

void tst_ComponentListViews::cardButtons()
{
    QFETCH(int, product);
    QFETCH(QPoint, offset);
    QFETCH(QString, request);
    QFETCH(QString, tip);
    UseProduct(product);
    const auto shown = Shown<PlazaPublicComponentsCardListView>(2);
    QVERIFY(shown);
    PlazaPublicComponentsCardListView& view = *shown;
    auto* list = view.findChild<QListView*>(QStringLiteral("PlazaPublicComponentsCardListView"));
    const QRect content = list->visualRect(view.Model()->index(0, 0)).adjusted(2, 1, -2, -1);
    const QPoint point = content.bottomLeft() + offset;
    const bool onBox = request == "check";

    MoveMouse(list->viewport(), point);
    QCOMPARE(list->toolTip(), tip);
    QCOMPARE(list->cursor().shape(), request == "none" ? Qt::ArrowCursor : Qt::PointingHandCursor);

    // Buttons and the box consume the press; anywhere else it selects the card.
    Requests<PlazaPublicComponentsCardListItemDelegate> requests(view.ItemDelegate());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    QCOMPARE(requests.Seen(), onBox ? QStringLiteral("none") : request);
    QCOMPARE(view.SelectionModel()->isRowSelected(0, QModelIndex()), request == "none");
    QCOMPARE(CheckedRows(view.Model(), Qt::CheckStateRole), (QStringList{onBox ? "x" : "-", "-"}));
}

void tst_ComponentListViews::cardThumbnailsAreSmallAndRepaired_data()
{
    QTest::addColumn<QByteArray>("cached");
    QTest::addColumn<QColor>("shown");

    // Uniform pictures in palette formats: megapixels in a few hundred kilobytes of PNG.
    const auto uniform = [](int side, QImage::Format format) {
        QImage image(side, side, format);
        image.setColorTable({qRgb(255, 0, 0), qRgb(255, 0, 0)});
        image.fill(0);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    };
    QTest::newRow("huge picture in the cache") << uniform(8200, QImage::Format_Mono) << QColor(Qt::red);
    QTest::newRow("large picture in the cache") << uniform(4000, QImage::Format_Indexed8) << QColor(Qt::red);
    QTest::newRow("damaged file in the cache") << QByteArray("\x89PNG\r\n\x1a\n garbage") << QColor(Qt::green);
    QTest::newRow("empty file in the cache") << QByteArray() << QColor(Qt::green);
}

void tst_ComponentListViews::cardThumbnailsAreSmallAndRepaired()
{
    QFETCH(QByteArray, cached);
    QFETCH(QColor, shown);

    // Given a component whose thumbnail file in the cache is far too large, damaged or empty.
    QTemporaryDir source;
    QVERIFY(source.isValid());
    const QString original = source.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
    QImage green(64, 64, QImage::Format_RGB32);
    green.fill(Qt::green);
    QVERIFY(green.save(original, "PNG"));
    auto component = std::make_shared<IComponent>();
    component->Id = L"thumbnail";
    component->ThumbnailUrl = QUrl::fromLocalFile(original).toString().toStdWString();
    QFile file(QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(component->ThumbnailUrl, L".png")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(cached), qint64(cached.size()));
    file.close();

    // When the cards are painted, they end up showing the picture, scaled down, or fetched
    // again when the stored one was broken, and later paints reuse what was decoded.
    PlazaPublicComponentsCardListModel model(nullptr);
    model.SetComponents({component});
    const auto icon = [&model] { return qvariant_cast<QIcon>(model.index(0, 0).data(Qt::DecorationRole)); };
    const auto colour = [](const QIcon& picture) { return picture.pixmap(64).toImage().pixelColor(32, 32); };
    QTRY_COMPARE_WITH_TIMEOUT(colour(icon()), shown, 10000);
    const QIcon first = icon();
    QVERIFY(!first.availableSizes().isEmpty());
    const QSize size = first.availableSizes().constFirst();
    QVERIFY2(size.width() <= 256 && size.height() <= 256, qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    QCOMPARE(icon().cacheKey(), first.cacheKey());
}

QTEST_MAIN(tst_ComponentListViews)
#include "tst_ComponentListViews.moc"
