#include "PlazaMainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTest>

class tst_PlazaImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
        // The pictures live in the module's resources, registered when the library loads.
        QVERIFY(!vela::PlazaMainWindow::Get());
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    void iconsAreSharpOnDoubleDensityScreens_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("side");
        QTest::newRow("window mark") << ":/images/plaza/24x24.png" << 24;
        QTest::newRow("card mode") << ":/images/cardMode/active/16x16.png" << 16;
        QTest::newRow("close") << ":/images/close/cross/16x16.png" << 16;
        QTest::newRow("3D preview at its largest") << ":/images/3d/48x48.png" << 48;
    }
    void iconsAreSharpOnDoubleDensityScreens()
    {
        QFETCH(QString, path);
        QFETCH(int, side);
        const QPixmap pixmap = QIcon(path).pixmap(QSize(side, side));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(pixmap.size(), QSize(2 * side, 2 * side));
    }
};

QTEST_MAIN(tst_PlazaImages)
#include "tst_PlazaImages.moc"
