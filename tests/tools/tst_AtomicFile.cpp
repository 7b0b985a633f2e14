#include "AtomicFile.h"
#include "FullFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vela;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class tst_AtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void replacesWholeFile();
    void refusedWriteKeepsOldFile_data();
    void refusedWriteKeepsOldFile();
    void checkSeesWrittenCopy();
};

void tst_AtomicFile::replacesWholeFile()
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("deep/er/a.bin"));
    const QByteArray big(300 * 1024, 'b');

    QString error;
    QVERIFY2(AtomicFile::Write(target, "old", {}, &error), qPrintable(error));
    QVERIFY2(AtomicFile::Write(target, big, {}, &error), qPrintable(error));

    QCOMPARE(Contents(target), big);
    QCOMPARE(Entries(folder.filePath(QStringLiteral("deep/er"))), QStringList{QStringLiteral("a.bin")});
    // Others may read a cached file, as with any file the process writes.
    QVERIFY(QFile::permissions(target) & QFile::ReadOther);
}

void tst_AtomicFile::refusedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("size");
    QTest::newRow("full disk, small file") << int(test::FullFolder::Mode::NoSpace) << 100;
    QTest::newRow("full disk, large file") << int(test::FullFolder::Mode::NoSpace) << 100 * 1024;
    QTest::newRow("read-only folder") << int(test::FullFolder::Mode::ReadOnly) << 100;
}

void tst_AtomicFile::refusedWriteKeepsOldFile()
{
    QFETCH(int, mode);
    QFETCH(int, size);
    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("cache"));
    test::FullFolder full(folder);
    QVERIFY2(full.IsReady(), qPrintable(full.Problem()));
    const QString target = folder + QStringLiteral("/a.bin");
    QVERIFY(AtomicFile::Write(target, "good old content", {}, nullptr));
    QVERIFY2(full.Seal(test::FullFolder::Mode(mode)), qPrintable(full.Problem()));
    const QStringList sealed = Entries(folder);

    QString error;
    QString reason;
    QVERIFY(!AtomicFile::Write(target, QByteArray(size, 'n'), {}, &error, &reason));

    QVERIFY2(error.contains(full.ExpectedReason()), qPrintable(error));
    QCOMPARE(reason, full.ExpectedReason());
    QCOMPARE(Contents(target), QByteArray("good old content"));
    QCOMPARE(Entries(folder), sealed);
}

void tst_AtomicFile::checkSeesWrittenCopy()
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("a.json"));
    QVERIFY(AtomicFile::Write(target, "{}", {}, nullptr));

    QByteArray seen;
    const auto refuse = [&seen](const QString& written, QString* why) {
        seen = Contents(written);
        *why = QStringLiteral("写入后无法读回");
        return false;
    };
    QString error;
    QString reason;
    QVERIFY(!AtomicFile::Write(target, "{\"new\": 1}", refuse, &error, &reason));

    QCOMPARE(seen, QByteArray("{\"new\": 1}"));
    QCOMPARE(error, QStringLiteral("写入后无法读回"));
    QCOMPARE(reason, QStringLiteral("文件已损坏"));
    QCOMPARE(Contents(target), QByteArray("{}"));
    QCOMPARE(Entries(folder.path()), QStringList{QStringLiteral("a.json")});
}

QTEST_MAIN(tst_AtomicFile)
#include "tst_AtomicFile.moc"
