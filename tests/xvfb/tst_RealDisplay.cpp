#include "AppService.h"
#include "KelBulletin.h"
#include "PlazaAnalyzeService.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "ScriptedCatalogBackend.h"
#include "TitleBar.h"

#include <QApplication>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QtTest>

#include <limits>
#include <memory>

using namespace vela;

// What a person sees on a real X server without a compositing window manager:
// every check reads the pixels the server shows, not what Qt meant to paint.
namespace {

// The screen's pixels under a widget's rectangle `local` (widget coordinates).
QImage OnScreen(const QWidget* widget, const QRect& local)
{
    const QPoint origin = widget->mapToGlobal(local.topLeft());
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, origin.x(), origin.y(), local.width(), local.height()).toImage();
}

bool WhiteIsh(const QColor& colour)
{
    // White under the 15 % selection veil is about rgb(223, 235, 255).
    return colour.red() > 200 && colour.green() > 210 && colour.blue() > 235;
}

bool LinkColoured(const QColor& colour)
{
    // The operation text's cyan, alone or under the veil.
    return colour.red() < 90 && colour.green() > 120 && colour.blue() > 170;
}

bool Dark(const QColor& colour)
{
    return colour.red() < 30 && colour.green() < 30 && colour.blue() < 30;
}

// Share of the pixels that pass `test`: all of them, or those in the band `edge` pixels wide
// along the image's edges. Not a number for an empty image, so that no comparison holds.
double Share(const QImage& image, bool (*test)(const QColor&), int edge = 0)
{
    int hits = 0;
    int total = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (edge == 0 || x < edge || y < edge || x >= image.width() - edge || y >= image.height() - edge) {
                ++total;
                hits += test(image.pixelColor(x, y)) ? 1 : 0;
            }
        }
    }
    return total ? double(hits) / total : std::numeric_limits<double>::quiet_NaN();
}

// Desktop styles (GTK, Windows, macOS) paint a selected or hovered item
// themselves in an opaque colour, whatever the palette holds.
class NativeSelectionStyle : public QProxyStyle
{
public:
    NativeSelectionStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        const bool item = element == PE_PanelItemViewRow || element == PE_PanelItemViewItem;
        if (item && (option->state & (State_Selected | State_MouseOver))) {
            painter->fillRect(option->rect, QColor(48, 140, 198));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

// A plain white window for the bulletins to dock to.
std::unique_ptr<QWidget> WhiteAnchor()
{
    auto anchor = std::make_unique<QWidget>();
    // A palette, not a style sheet: a style sheet would also paint the windows docked to it.
    QPalette white = anchor->palette();
    white.setColor(QPalette::Window, Qt::white);
    anchor->setPalette(white);
    anchor->setAutoFillBackground(true);
    anchor->setGeometry(200, 100, 900, 600);
    anchor->show();
    return anchor;
}

} // namespace

class tst_RealDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void selectedTableRowKeepsWhiteCellsAndLinks();
    void selectedCardShowsOnlyItsFrame();
    void popupHasNoBlackBox_data();
    void popupHasNoBlackBox();
    void plazaWindowOpensCentredAndFollowsTheTitleBar();

private:
    std::unique_ptr<AppService> m_app;
};

void tst_RealDisplay::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QApplication::setStyle(new NativeSelectionStyle);
    m_app = std::make_unique<AppService>(L"code", L"1.0", Product::Sorn);
    AppService::Install(m_app.get());
}

void tst_RealDisplay::cleanupTestCase()
{
    AppService::Install(nullptr);
}

void tst_RealDisplay::selectedTableRowKeepsWhiteCellsAndLinks()
{
    PlazaPublicComponentsTableView view(nullptr);
    view.setGeometry(100, 100, 600, 300);
    view.Model()->SetComponents(test::MakeComponents(3));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.activateWindow();

    const QModelIndex name = view.Model()->index(1, 1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(name).center());
    QVERIFY(view.selectionModel()->isRowSelected(1, QModelIndex()));

    // The name cell, right of its text, and the whole load and place cells of the selected row.
    const QRect nameCell = view.visualRect(name);
    const QRect nameBackground = nameCell.adjusted(nameCell.width() / 2, 2, 0, -2);
    const QRect loadCell = view.visualRect(view.Model()->index(1, 2)).adjusted(0, 1, 0, -2);
    const QRect placeCell = view.visualRect(view.Model()->index(1, 3)).adjusted(0, 1, 0, -2);
    const QRect unselected = view.visualRect(view.Model()->index(0, 1)).adjusted(nameCell.width() / 2, 2, 0, -2);
    // The veil has been drawn once the row no longer looks like its neighbour.
    QTRY_VERIFY(OnScreen(view.viewport(), nameBackground) != OnScreen(view.viewport(), unselected));
    QVERIFY(Share(OnScreen(view.viewport(), nameBackground), WhiteIsh) > 0.95);

    for (const QRect& cell : {loadCell, placeCell}) {
        const QImage image = OnScreen(view.viewport(), cell);
        QVERIFY2(Share(image, WhiteIsh) > 0.7, "the operation cell lost its white background");
        QVERIFY2(Share(image, LinkColoured) > 0.01, "the operation text cannot be seen");
    }
}

void tst_RealDisplay::selectedCardShowsOnlyItsFrame()
{
    PlazaPublicComponentsCardListView view(nullptr);
    view.setGeometry(100, 100, 800, 500);
    view.Model()->SetComponents(test::MakeComponents(3));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.activateWindow();

    auto* list = view.findChild<QListView*>();
    QVERIFY(list);
    const QModelIndex card = view.Model()->index(0, 0);
    const QRect cardRect = list->visualRect(card);
    QVERIFY(!cardRect.isEmpty());
    // Drawn, not the server's black before the first paint.
    QTRY_VERIFY(Share(OnScreen(list->viewport(), cardRect), Dark) < 0.01);
    const QImage before = OnScreen(list->viewport(), cardRect);

    view.SelectionModel()->select(card, QItemSelectionModel::ClearAndSelect);
    QTRY_VERIFY(OnScreen(list->viewport(), cardRect) != before);
    // The card's own blue frame is its selection mark: only a one-pixel outline may change.
    const QImage after = OnScreen(list->viewport(), cardRect);
    int changed = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            changed += after.pixel(x, y) != before.pixel(x, y) ? 1 : 0;
        }
    }
    QVERIFY2(changed <= 2 * (cardRect.width() + cardRect.height()), qPrintable(QString::number(changed)));
}

void tst_RealDisplay::popupHasNoBlackBox_data()
{
    QTest::addColumn<bool>("bulletin");
    QTest::newRow("bulletin") << true;
    QTest::newRow("repeat check dialog") << false;
}

void tst_RealDisplay::popupHasNoBlackBox()
{
    QFETCH(bool, bulletin);
    const auto anchor = WhiteAnchor();
    QVERIFY(QTest::qWaitForWindowExposed(anchor.get()));
    std::unique_ptr<QWidget> dialog;
    QWidget* popup = nullptr;
    if (bulletin) {
        popup = KelBulletin::Create(anchor.get())->ConfigIcon(5)->ConfigMessage(QStringLiteral("构件已载入"));
    } else {
        dialog = std::make_unique<PublicComponentRepeatCheckDialog>(anchor.get());
        popup = dialog.get();
    }
    popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(popup));

    QTRY_VERIFY(Share(OnScreen(popup, popup->rect()), WhiteIsh) > 0.5);
    QCOMPARE(Share(OnScreen(popup, popup->rect()), Dark, 4), 0.0);
    popup->close();
}

void tst_RealDisplay::plazaWindowOpensCentredAndFollowsTheTitleBar()
{
    auto backend = test::MakeSampleBackend(5);
    CatalogBackend::Install(backend);
    PlazaAnalyzeService analytics;
    PlazaAnalyzeService::Install(&analytics);
    PlazaMainWindow::Initialize();
    PlazaMainWindow* window = PlazaMainWindow::Get();
    QVERIFY(window);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect expected(QPoint((screen.width() - 1200) / 2, (screen.height() - 720) / 2), QSize(1200, 720));
    // Where the server placed the window, asked of the server itself.
    QTRY_COMPARE(window->frameGeometry(), expected);
    QCOMPARE(OnScreen(window, window->rect()).size(), QSize(1200, 720));
    // Drawn where it claims to be: the server shows its light face there, not black.
    QTRY_VERIFY(Share(OnScreen(window, window->rect()), Dark) < 0.05);

    // Without a window manager there is no system move: dragging the title bar moves the window itself.
    auto* titleBar = window->findChild<TitleBar*>();
    QVERIFY(titleBar);
    const QPoint grip(titleBar->width() / 2, titleBar->height() / 2);
    const QPoint start = titleBar->mapToGlobal(grip);
    QMouseEvent press(QEvent::MouseButtonPress, grip, start, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(titleBar, &press);
    const QPoint end = start + QPoint(-60, 40);
    QMouseEvent move(QEvent::MouseMove, titleBar->mapFromGlobal(end), end, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(titleBar, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, titleBar->mapFromGlobal(end), end, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(titleBar, &release);
    QTRY_COMPARE(window->frameGeometry(), expected.translated(-60, 40));

    PlazaMainWindow::Destroy();
    PlazaAnalyzeService::Install(nullptr);
    CatalogBackend::Install(nullptr);
}

QTEST_MAIN(tst_RealDisplay)
#include "tst_RealDisplay.moc"
