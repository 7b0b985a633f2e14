#include "PathUtils.h"
#include "UrlImageProvider.h"
#include "VelaLogger.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

#include <memory>

using namespace vela;

// Thumbnails on a cache folder that cannot take them. The cache folder is chosen once
// per process, so this runs as a program of its own.
class tst_ThumbnailFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullCacheFailsCleanlyAndRecovers();

private:
    // Takes what room is left on the cache's file system, or all write access to it.
    void MakeCacheFull();
    void MakeRoom();

    QTemporaryDir m_base;
    QString m_cache;
    QString m_filler;
    bool m_mounted = false;
};

void tst_ThumbnailFullDisk::initTestCase()
{
    QVERIFY(m_base.isValid());
    m_cache = m_base.filePath(QStringLiteral("cache"));
    QVERIFY(QDir().mkpath(m_cache));
    // As root (as in CI) a tiny file system of its own; otherwise a folder without write access.
    m_mounted = ::geteuid() == 0
                && ::mount("tmpfs", QFile::encodeName(m_cache).constData(), "tmpfs", 0, "size=64k") == 0;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache));
    QVERIFY(QStandardPaths::writableLocation(QStandardPaths::CacheLocation).startsWith(m_cache));
}

void tst_ThumbnailFullDisk::cleanupTestCase()
{
    if (m_mounted) {
        QVERIFY(::umount2(QFile::encodeName(m_cache).constData(), MNT_DETACH) == 0);
    }
}

void tst_ThumbnailFullDisk::MakeCacheFull()
{
    const QString thumbnails = QFileInfo(QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(L"x", L".png"))).path();
    QVERIFY(QDir(thumbnails).exists());
    if (!m_mounted) {
        QVERIFY(QFile::setPermissions(thumbnails, QFile::ReadOwner | QFile::ExeOwner));
        return;
    }
    m_filler = m_cache + QStringLiteral("/filler");
    QFile filler(m_filler);
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'f');
    for (int written = 0; written < 1024 && filler.write(block) == block.size() && filler.flush(); ++written) {
    }
    filler.close();
    QVERIFY(QFileInfo(m_filler).size() < 1024 * 1024);
}

void tst_ThumbnailFullDisk::MakeRoom()
{
    const QString thumbnails = QFileInfo(QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(L"x", L".png"))).path();
    if (m_mounted) {
        QVERIFY(QFile::remove(m_filler));
    } else {
        QVERIFY(QFile::setPermissions(thumbnails, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
}

void tst_ThumbnailFullDisk::fullCacheFailsCleanlyAndRecovers()
{
    VelaLogger log(QString(), false);
    IVelaLogger::Install(&log);
    UrlImageProvider::SetRetryDelays(std::chrono::milliseconds(100), std::chrono::milliseconds(100));

    // Given a picture of a few kilobytes (less than a file's write buffer, so that only
    // the final flush meets the full disk) and a cache folder with no room left.
    QTemporaryDir source;
    QVERIFY(source.isValid());
    QImage noise(40, 40, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            noise.setPixel(x, y, qRgb((x * 73 + y * 151) % 256, (x * y * 7) % 256, (x * 31 + y * 17 * x) % 256));
        }
    }
    const QString file = source.filePath(QStringLiteral("noise.png"));
    QVERIFY(noise.save(file, "PNG"));
    const std::wstring key = QUrl::fromLocalFile(file).toString().toStdWString();
    const QString stored = QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"));
    MakeCacheFull();

    // When it is asked for, the answer is a failure, the log says why, and nothing is left behind.
    UrlImageProvider provider(nullptr);
    int answers = 0;
    std::shared_ptr<QImage> last;
    connect(&provider, &UrlImageProvider::OnProvided, this, [&](std::wstring, std::shared_ptr<QImage> image) {
        ++answers;
        last = std::move(image);
    });
    provider.Provide(key);
    QTRY_COMPARE_WITH_TIMEOUT(answers, 1, 5000);
    QVERIFY(!last);
    QVERIFY(!QFile::exists(stored));
    QCOMPARE(QDir(QFileInfo(stored).path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    const QString logged = log.Lines().join(QLatin1Char('\n'));
    QVERIFY2(logged.contains(m_mounted ? QStringLiteral("磁盘空间不足") : QStringLiteral("没有写入权限")),
             qPrintable(logged));

    // Once there is room again, the next try stores the picture whole.
    MakeRoom();
    QTRY_VERIFY_WITH_TIMEOUT((provider.Provide(key), last != nullptr), 5000);
    QCOMPARE(QImage(stored).size(), QSize(40, 40));
    IVelaLogger::Install(nullptr);
}

QTEST_MAIN(tst_ThumbnailFullDisk)
#include "tst_ThumbnailFullDisk.moc"
