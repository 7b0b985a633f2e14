#include "PathUtils.h"
#include "UrlImageProvider.h"
#include "VelaLogger.h"

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

using namespace vela;

// Thumbnails on a cache folder that cannot take them. The cache folder is chosen once
// per process, so this runs as a program of its own.
class tst_ThumbnailFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
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

    void cleanupTestCase()
    {
        IVelaLogger::Install(nullptr);
        if (m_mounted) {
            QVERIFY(::umount2(QFile::encodeName(m_cache).constData(), MNT_DETACH) == 0);
        }
    }

    void fullCacheFailsCleanlyAndRecovers()
    {
        VelaLogger log(QString(), false);
        IVelaLogger::Install(&log);
        UrlImageProvider::SetRetryDelays(std::chrono::milliseconds(100), std::chrono::milliseconds(100));

        // Given a picture of a few kilobytes (less than a file's write buffer, so only the
        // final flush meets the full disk) and a cache folder with no room left.
        QImage noise(40, 40, QImage::Format_RGB32);
        for (int i = 0; i < 40 * 40; ++i) {
            noise.setPixel(i % 40, i / 40, qRgb(i * 73 % 256, i * i % 256, i * 31 % 256));
        }
        const QString file = m_base.filePath(QStringLiteral("noise.png"));
        QVERIFY(noise.save(file, "PNG"));
        const std::wstring key = QUrl::fromLocalFile(file).toString().toStdWString();
        const QString stored = QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"));
        const QString folder = QFileInfo(stored).path();
        QFile filler(m_cache + QStringLiteral("/filler"));
        if (m_mounted) {
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(1024, 'f')) == 1024 && filler.flush() && filler.size() < 1024 * 1024) {
            }
            filler.close();
        } else {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }

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
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
        const QString logged = log.Lines().join(QLatin1Char('\n'));
        QVERIFY2(logged.contains(m_mounted ? QStringLiteral("磁盘空间不足") : QStringLiteral("没有写入权限")),
                 qPrintable(logged));

        // Once there is room again, the next try stores the picture whole.
        QVERIFY(m_mounted ? filler.remove() : QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QTRY_VERIFY_WITH_TIMEOUT((provider.Provide(key), last != nullptr), 5000);
        QCOMPARE(QImage(stored).size(), QSize(40, 40));
    }

private:
    QTemporaryDir m_base;
    QString m_cache;
    bool m_mounted = false;
};

QTEST_MAIN(tst_ThumbnailFullDisk)
#include "tst_ThumbnailFullDisk.moc"
