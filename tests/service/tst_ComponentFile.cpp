#include "ComponentFile.h"
#include "FullFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using tarn::ComponentFile;

namespace {

QByteArray Minimal(const QByteArray& solids = "[]", const QByteArray& extra = QByteArray())
{
    return "{\"format\":\"plaza-component\",\"version\":1,\"familyName\":\"门\",\"types\":[{\"name\":\"M0921\"}],"
           "\"solids\":"
           + solids + extra + "}";
}

} // namespace

class tst_ComponentFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenFilesReadBack();
    void refusedWriteKeepsSavedFile_data();
    void refusedWriteKeepsSavedFile();
    void malformedFilesAreRejected_data();
    void malformedFilesAreRejected();
    void missingAndEmptyFilesAreRejected();
    void boundsCoverEverySolid();
};

void tst_ComponentFile::writtenFilesReadBack()
{
    ComponentFile file;
    file.FamilyName = QStringLiteral("法兰闸阀 \"Z41H\"");
    file.CategoryCode = QStringLiteral("M0102");
    file.Types = {{QStringLiteral("DN100"), {{QStringLiteral("公称直径"), QStringLiteral("DN100"), QString()},
                                              {QStringLiteral("重量"), QStringLiteral("31.5"), QStringLiteral("kg")}}},
                  {QStringLiteral("DN150"), {}}};
    ComponentFile::Solid body;
    body.Name = QStringLiteral("阀体");
    body.Kind = ComponentFile::SolidKind::Cylinder;
    body.Origin = {0, 0, 0};
    body.Axis = {2, 0, 0};
    body.Radius = 70;
    body.Length = 240;
    body.Color = 0x3c4650;
    ComponentFile::Solid slat;
    slat.Kind = ComponentFile::SolidKind::Extrusion;
    slat.ProfilePlane = ComponentFile::Plane::YZ;
    slat.Profile = {{0, 0}, {70, 58}, {64, 66}};
    slat.Length = 900;
    slat.Opacity = 0.5;
    ComponentFile::Solid bulb;
    bulb.Kind = ComponentFile::SolidKind::Sphere;
    bulb.Origin = {1, 2, 3};
    bulb.Radius = 5;
    file.Solids = {body, slat, bulb};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("valve.json"));
    QString error;
    QVERIFY2(file.Write(path, &error), qPrintable(error));

    ComponentFile read;
    QVERIFY2(ComponentFile::Read(path, read, &error), qPrintable(error));
    // Everything comes back, axes as unit vectors; the optional fields are checked
    // by value too, since a writer leaving them out would leave both sides alike.
    QCOMPARE(read.Solids[0].Axis[0], 1.0);
    file.Solids[0].Axis = {1, 0, 0};
    QCOMPARE(read.ToJson(), file.ToJson());
    QCOMPARE(read.Solids[0].Color, 0x3c4650u);
    QCOMPARE(read.Solids[1].Opacity, 0.5);
    QCOMPARE(read.Types[0].Parameters[1].Unit, QStringLiteral("kg"));
    QVERIFY(read.FindType(QStringLiteral("DN150")) && !read.FindType(QStringLiteral("DN200")));
}

void tst_ComponentFile::refusedWriteKeepsSavedFile_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("full disk") << int(vela::test::FullFolder::Mode::NoSpace);
    QTest::newRow("read-only folder") << int(vela::test::FullFolder::Mode::ReadOnly);
}

void tst_ComponentFile::refusedWriteKeepsSavedFile()
{
    // Given a component file saved in a folder that then stops taking data
    QFETCH(int, mode);
    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("library"));
    vela::test::FullFolder full(folder);
    QVERIFY2(full.IsReady(), qPrintable(full.Problem()));
    ComponentFile file;
    QVERIFY(ComponentFile::Parse(Minimal(), file, nullptr));
    const QString path = folder + QStringLiteral("/door.json");
    QVERIFY(file.Write(path, nullptr));
    QVERIFY2(full.Seal(vela::test::FullFolder::Mode(mode)), qPrintable(full.Problem()));
    const QStringList sealed = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    // When a changed file is written over it
    file.FamilyName = QStringLiteral("新门");
    QString error;
    const bool written = file.Write(path, &error);

    // Then the write fails saying why, and the saved file is still the old one
    QVERIFY(!written);
    QVERIFY2(error.contains(full.ExpectedReason()), qPrintable(error));
    ComponentFile read;
    QVERIFY(ComponentFile::Read(path, read, nullptr));
    QCOMPARE(read.FamilyName, QStringLiteral("门"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), sealed);
}

void tst_ComponentFile::malformedFilesAreRejected_data()
{
    QTest::addColumn<QByteArray>("json");

    QTest::newRow("not json") << QByteArray("{\"format\":");
    QTest::newRow("an array") << QByteArray("[1,2]");
    QTest::newRow("other format") << QByteArray("{\"format\":\"x\",\"version\":1,\"familyName\":\"a\",\"types\":[{\"name\":\"t\"}]}");
    QTest::newRow("newer version") << QByteArray(Minimal().replace("\"version\":1", "\"version\":2"));
    QTest::newRow("no family name") << QByteArray(Minimal().replace("\"familyName\":\"门\"", "\"familyName\":\" \""));
    QTest::newRow("no types") << QByteArray(Minimal().replace("[{\"name\":\"M0921\"}]", "[]"));
    QTest::newRow("type without a name") << QByteArray(Minimal().replace("{\"name\":\"M0921\"}", "{}"));
    QTest::newRow("repeated type") << QByteArray(Minimal().replace("[{\"name\":\"M0921\"}]", "[{\"name\":\"A\"},{\"name\":\"A\"}]"));
    QTest::newRow("parameters not a list") << QByteArray(Minimal().replace("{\"name\":\"M0921\"}", "{\"name\":\"A\",\"parameters\":3}"));
    QTest::newRow("solids not a list") << Minimal("{}");
    QTest::newRow("unknown kind") << Minimal("[{\"kind\":\"cone\"}]");
    QTest::newRow("negative box") << Minimal("[{\"kind\":\"box\",\"origin\":[0,0,0],\"size\":[1,-1,1]}]");
    QTest::newRow("box without size") << Minimal("[{\"kind\":\"box\",\"origin\":[0,0,0]}]");
    QTest::newRow("zero axis") << Minimal("[{\"kind\":\"cylinder\",\"base\":[0,0,0],\"axis\":[0,0,0],\"radius\":1,\"length\":1}]");
    QTest::newRow("flat sphere") << Minimal("[{\"kind\":\"sphere\",\"centre\":[0,0,0],\"radius\":0}]");
    QTest::newRow("two-point profile") << Minimal("[{\"kind\":\"extrusion\",\"origin\":[0,0,0],\"profile\":[[0,0],[1,1]],\"depth\":1}]");
    QTest::newRow("unknown plane") << Minimal("[{\"kind\":\"extrusion\",\"origin\":[0,0,0],\"plane\":\"xw\",\"profile\":[[0,0],[1,0],[1,1]],\"depth\":1}]");
    QTest::newRow("text coordinate") << Minimal("[{\"kind\":\"box\",\"origin\":[0,\"a\",0],\"size\":[1,1,1]}]");
    QTest::newRow("bad colour") << Minimal("[{\"kind\":\"box\",\"origin\":[0,0,0],\"size\":[1,1,1],\"color\":\"red\"}]");
    QTest::newRow("opacity above one") << Minimal("[{\"kind\":\"box\",\"origin\":[0,0,0],\"size\":[1,1,1],\"opacity\":2}]");
}

void tst_ComponentFile::malformedFilesAreRejected()
{
    QFETCH(QByteArray, json);
    ComponentFile out;
    out.FamilyName = QStringLiteral("untouched");
    QString error;
    QVERIFY(!ComponentFile::Parse(json, out, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(out.FamilyName, QStringLiteral("untouched"));
}

void tst_ComponentFile::missingAndEmptyFilesAreRejected()
{
    QTemporaryDir dir;
    ComponentFile out;
    QString error;
    QVERIFY(!ComponentFile::Read(dir.filePath(QStringLiteral("missing.json")), out, &error));
    QVERIFY(error.contains(QStringLiteral("does not exist")));
    QVERIFY(!ComponentFile::Read(QString(), out, &error));

    QFile empty(dir.filePath(QStringLiteral("empty.json")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(!ComponentFile::Read(empty.fileName(), out, nullptr));
    QVERIFY(!ComponentFile::Read(dir.path(), out, &error));

    // Numbers where texts are expected are taken as their text.
    QVERIFY(ComponentFile::Parse(
        Minimal().replace("{\"name\":\"M0921\"}", "{\"name\":\"A\",\"parameters\":[{\"name\":\"宽度\",\"value\":900}]}"),
        out, &error));
    QCOMPARE(out.Types[0].Parameters[0].Value, QStringLiteral("900"));
}

void tst_ComponentFile::boundsCoverEverySolid()
{
    ComponentFile file;
    ComponentFile::Point3 low{};
    ComponentFile::Point3 high{};
    QVERIFY(!file.Bounds(low, high));

    QVERIFY(ComponentFile::Parse(
        Minimal("[{\"kind\":\"box\",\"origin\":[0,0,0],\"size\":[100,50,20]},"
                "{\"kind\":\"cylinder\",\"base\":[0,0,100],\"axis\":[1,0,0],\"radius\":10,\"length\":300},"
                "{\"kind\":\"extrusion\",\"origin\":[-40,0,0],\"plane\":\"yz\",\"profile\":[[0,0],[60,0],[0,-30]],\"depth\":20}]"),
        file, nullptr));
    QVERIFY(file.Bounds(low, high));
    QCOMPARE(low[0], -40.0);
    QCOMPARE(high[0], 300.0);
    QCOMPARE(low[1], -10.0);
    QCOMPARE(high[1], 60.0);
    QCOMPARE(low[2], -30.0);
    QCOMPARE(high[2], 110.0);
}

QTEST_GUILESS_MAIN(tst_ComponentFile)
#include "tst_ComponentFile.moc"
