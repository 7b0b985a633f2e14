#include "CountingAccessManager.h"
#include "GoneServer.h"
#include "HostNetworkDetector.h"
#include "LocalHttpServer.h"
#include "PathUtils.h"
#include "UrlImageProvider.h"
#include "VelaLogger.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace vela;

namespace {

// What a provider delivered, in order: the key and the image (null for a failure).
class Deliveries
{
public:
    explicit Deliveries(UrlImageProvider* provider)
    {
        QObject::connect(provider, &UrlImageProvider::OnProvided, &m_context,
            [this](std::wstring key, std::shared_ptr<QImage> image) { m_seen.emplace_back(std::move(key), std::move(image)); });
    }
    int size() const { return static_cast<int>(m_seen.size()); }
    std::shared_ptr<QImage> Image(int i) const { return m_seen.at(static_cast<size_t>(i)).second; }
    std::shared_ptr<QImage> Last() const { return m_seen.back().second; }
    bool Wait() { return QTest::qWaitFor([this, before = size()] { return size() > before; }, 5000); }

private:
    QObject m_context;
    std::vector<std::pair<std::wstring, std::shared_ptr<QImage>>> m_seen;
};

std::wstring KeyOf(const QString& file)
{
    return QUrl::fromLocalFile(file).toString().toStdWString();
}

QString StoredFile(const std::wstring& key)
{
    return QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"));
}

bool WriteImage(const QString& file, const QColor& colour)
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(file, "PNG");
}

QByteArray EncodedImage(const QColor& colour, const char* format)
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Lossy formats come back close to, not exactly, the colour they were given.
bool IsRed(const QColor& colour)
{
    return colour.red() > 240 && colour.green() < 16 && colour.blue() < 16;
}

// The key of `path` on `server`, with nothing stored for it by an earlier run.
std::wstring FreshKey(const test::LocalHttpServer& server, const QByteArray& path)
{
    const std::wstring key = server.Url(path).toString().toStdWString();
    QFile::remove(StoredFile(key));
    return key;
}

} // namespace

class tst_UrlImageProvider : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_source.isValid());
        m_server = std::make_unique<test::LocalHttpServer>();
        QVERIFY(m_server->IsListening());
        m_network = std::make_unique<CountingAccessManager>();
        UrlImageProvider::SetNetworkAccessManager(m_network.get());
    }

    void cleanup()
    {
        UrlImageProvider::SetNetworkAccessManager(nullptr);
        UrlImageProvider::SetRetryDelays(std::chrono::seconds(30), std::chrono::minutes(30));
        UrlImageProvider::SetDeadlines(std::chrono::seconds(30), std::chrono::seconds(4));
        IVelaLogger::Install(nullptr);
        HostNetworkDetector::Get()->Watch(QUrl());
    }

    void downloadsAreBoundedAndAllArrive()
    {
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);
        for (int i = 0; i < 20; ++i) {
            const QString file = m_source.filePath(QStringLiteral("many%1.png").arg(i));
            QVERIFY(WriteImage(file, QColor(i * 10, 0, 0)));
            provider.Provide(KeyOf(file));
        }
        QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 20, 10000);
        QCOMPARE(m_network->Requests, 20);
        QVERIFY(m_network->MostRunning <= 6);
        for (int i = 0; i < spy.size(); ++i) {
            QVERIFY(spy.Image(i));
        }
    }

    void httpImageIsStoredAsPng_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << QByteArray("PNG");
        QTest::newRow("bmp") << QByteArray("BMP");
        QTest::newRow("jpeg") << QByteArray("JPG");
    }

    void httpImageIsStoredAsPng()
    {
        QFETCH(QByteArray, format);
        const QByteArray path = "/good." + format.toLower();
        m_server->SetBody(path, EncodedImage(Qt::red, format.constData()), "image/" + format.toLower());
        const std::wstring key = FreshKey(*m_server, path);
        UrlImageProvider first(nullptr);
        UrlImageProvider second(nullptr);
        Deliveries firstSpy(&first);
        Deliveries secondSpy(&second);

        for (int paint = 0; paint < 5; ++paint) {
            first.Provide(key);
            second.Provide(key);
        }
        QCOMPARE(firstSpy.size(), 0); // never answered from inside the call
        QVERIFY(firstSpy.Wait());
        QTRY_COMPARE(secondSpy.size(), 1);
        QCOMPARE(firstSpy.size(), 1);
        QCOMPARE(m_server->Requests(path), 1);
        QCOMPARE(m_network->Requests, 1);

        QVERIFY(firstSpy.Image(0));
        QVERIFY(IsRed(firstSpy.Image(0)->pixelColor(12, 12)));
        QImageReader stored(StoredFile(key));
        QCOMPARE(stored.format(), QByteArray("png"));
        QVERIFY(IsRed(stored.read().pixelColor(12, 12)));
    }

    void httpFailureStoresNothingAndRests_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("cutAfter");
        const QByteArray png = EncodedImage(Qt::red, "PNG");
        QTest::newRow("not found") << 404 << png << -1;
        QTest::newRow("server error") << 500 << png << -1;
        QTest::newRow("not an image") << 200 << QByteArray("<html>maintenance</html>") << -1;
        QTest::newRow("empty body") << 200 << QByteArray() << -1;
        QTest::newRow("corrupt png") << 200 << png.left(40) + QByteArray(200, '\x7f') << -1;
        // What arrives is a whole image, but not all the server promised.
        QTest::newRow("connection closed early") << 200 << png + QByteArray(4096, '\0') << png.size();
    }

    void httpFailureStoresNothingAndRests()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, cutAfter);
        const QByteArray path = "/fail-" + QByteArray(QTest::currentDataTag()).replace(' ', '-') + ".png";
        test::LocalHttpServer::Answer answer;
        answer.Status = status;
        answer.Body = body;
        answer.CutAfter = cutAfter;
        m_server->Set(path, answer);
        const std::wstring key = FreshKey(*m_server, path);
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);

        provider.Provide(key);
        QVERIFY(spy.Wait());
        QVERIFY(!spy.Image(0));
        QVERIFY(!QFile::exists(StoredFile(key)));
        QCOMPARE(m_server->Requests(path), 1);

        // Painting goes on asking while the key rests: nothing is sent, and the paints of
        // one turn get one "failed" answer, on a later turn.
        for (int paint = 0; paint < 10; ++paint) {
            provider.Provide(key);
        }
        QCOMPARE(spy.size(), 1);
        QVERIFY(spy.Wait());
        QVERIFY(!spy.Last());
        QCoreApplication::processEvents();
        QCOMPARE(spy.size(), 2);
        QCOMPARE(m_network->Requests, 1);
    }

    void restingKeyAnswersFailedThenArrivesWhenRestEnds()
    {
        UrlImageProvider::SetRetryDelays(std::chrono::seconds(1), std::chrono::seconds(1));
        VelaLogger log(QString(), false);
        IVelaLogger::Install(&log);
        m_server->SetStatus("/later.png", 503);
        const std::wstring key = FreshKey(*m_server, "/later.png");
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);
        provider.Provide(key);
        QVERIFY(spy.Wait());
        QVERIFY(!spy.Image(0));

        // Asked again during the rest (the same component selected again): "failed" at once,
        // then the picture itself once the rest is over, without being asked a third time.
        provider.Provide(key);
        QVERIFY(spy.Wait());
        QVERIFY(!spy.Last());
        m_server->SetBody("/later.png", EncodedImage(Qt::blue, "PNG"), "image/png");
        QTRY_VERIFY_WITH_TIMEOUT(spy.size() == 3 && spy.Last(), 5000);
        QVERIFY(QFile::exists(StoredFile(key)));
        QCOMPARE(m_server->Requests("/later.png"), 2);
        QVERIFY(log.Lines().join('\n').contains(QStringLiteral("HTTP 503")));
    }

    void slowServersDoNotHoldBackOthers()
    {
        // Given six servers that send a byte every 50 ms and would take minutes to finish.
        UrlImageProvider::SetDeadlines(std::chrono::milliseconds(1500), std::chrono::milliseconds(100));
        VelaLogger log(QString(), false);
        IVelaLogger::Install(&log);
        std::vector<std::unique_ptr<test::LocalHttpServer>> slow;
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);
        std::vector<std::wstring> slowKeys;
        for (int i = 0; i < 6; ++i) {
            slow.push_back(std::make_unique<test::LocalHttpServer>());
            QVERIFY(slow.back()->IsListening());
            slow.back()->SetDrip("/slow.png", EncodedImage(Qt::red, "PNG") + QByteArray(4096, '\0'), 50);
            slowKeys.push_back(FreshKey(*slow.back(), "/slow.png"));
            provider.Provide(slowKeys.back());
        }
        test::LocalHttpServer fast;
        QVERIFY(fast.IsListening());
        fast.SetBody("/fast.png", EncodedImage(Qt::green, "PNG"), "image/png");
        const std::wstring fastKey = FreshKey(fast, "/fast.png");
        provider.Provide(fastKey);

        // When they have all been asked for, the one from a quick server arrives while the
        // slow ones still run, and the slow ones fail at the deadline and store nothing.
        QVERIFY(spy.Wait());
        QCOMPARE(spy.size(), 1);
        QVERIFY(spy.Image(0));
        QCOMPARE(spy.Image(0)->pixelColor(1, 1), QColor(Qt::green));
        QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 7, 10000);
        for (int i = 1; i < spy.size(); ++i) {
            QVERIFY(!spy.Image(i));
        }
        for (size_t i = 0; i < slow.size(); ++i) {
            QCOMPARE(slow[i]->Requests("/slow.png"), 1);
            QVERIFY(!QFile::exists(StoredFile(slowKeys[i])));
        }
        QCOMPARE(log.Lines().filter(QStringLiteral("超时")).size(), 6);
    }

    void storedImagesAreBounded()
    {
        // A picture far larger than a thumbnail is stored scaled down and answered so.
        QImage large(3000, 1500, QImage::Format_Indexed8);
        large.setColorTable({qRgb(0, 0, 255)});
        large.fill(0);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(large.save(&buffer, "PNG"));
        m_server->SetBody("/large.png", png, "image/png");
        const std::wstring key = FreshKey(*m_server, "/large.png");
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);
        provider.Provide(key);
        QVERIFY(spy.Wait());
        QVERIFY(spy.Image(0));
        const QSize bounded(UrlImageProvider::StoredSide, UrlImageProvider::StoredSide / 2);
        QCOMPARE(spy.Image(0)->size(), bounded);
        QCOMPARE(QImageReader(StoredFile(key)).size(), bounded);
    }

    void distinctKeysHaveDistinctCacheFiles_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("empty and byte order mark") << QString() << QStringLiteral("\uFEFF");
        QTest::newRow("url and url behind byte order mark") << QStringLiteral("http://h/a.png")
                                                            << QStringLiteral("\uFEFFhttp://h/a.png");
    }

    void distinctKeysHaveDistinctCacheFiles()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        // Built code point by code point: QString::toStdWString keeps a leading U+FEFF.
        const std::wstring a = first.toStdWString();
        const std::wstring b = second.toStdWString();
        QVERIFY(a != b);
        QVERIFY(PathUtils::GetThumbnailDownloadFilePath(a, L".png") != PathUtils::GetThumbnailDownloadFilePath(b, L".png"));
        QVERIFY(PathUtils::GetComponentDownloadFilePath(a, L".mox") != PathUtils::GetComponentDownloadFilePath(b, L".mox"));
        // Nor do lone surrogates collapse into one replacement character.
        QVERIFY(StoredFile(std::wstring(L"\xD800")) != StoredFile(std::wstring(L"\xD801")));
    }

    void httpRedirectIsFollowed_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("moved permanently") << 301;
        QTest::newRow("found") << 302;
        QTest::newRow("temporary redirect") << 307;
    }

    void httpRedirectIsFollowed()
    {
        QFETCH(int, status);
        const QByteArray from = "/old-" + QByteArray::number(status) + ".png";
        const QByteArray to = "/new-" + QByteArray::number(status) + ".png";
        m_server->SetRedirect(from, to, status);
        m_server->SetBody(to, EncodedImage(Qt::green, "PNG"), "image/png");
        const std::wstring key = FreshKey(*m_server, from);
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);

        provider.Provide(key);
        QVERIFY(spy.Wait());
        QVERIFY(spy.Image(0));
        QCOMPARE(spy.Image(0)->pixelColor(1, 1), QColor(Qt::green));
        QCOMPARE(QImage(StoredFile(key)).pixelColor(1, 1), QColor(Qt::green));
        QCOMPARE(m_server->Requests(from), 1);
        QCOMPARE(m_server->Requests(to), 1);
    }

    // A thumbnail the catalog server cannot deliver because it is gone tells the host so.
    void unreachableServerTurnsTheHostOffline()
    {
        const QUrl watched = test::ClosedServerUrl();
        HostNetworkDetector* detector = test::WatchWithoutProbes(watched);
        const std::wstring key = watched.resolved(QUrl(QStringLiteral("catalog/a.png"))).toString().toStdWString();
        QFile::remove(StoredFile(key));
        UrlImageProvider provider(nullptr);
        Deliveries spy(&provider);
        provider.Provide(key);
        QVERIFY(spy.Wait());
        QVERIFY(!spy.Image(0));
        QTRY_VERIFY(detector->IsOffline());
    }

private:
    QTemporaryDir m_source;
    // A fresh server for each case, so request counts are the case's own.
    std::unique_ptr<test::LocalHttpServer> m_server;
    std::unique_ptr<CountingAccessManager> m_network;
};

QTEST_MAIN(tst_UrlImageProvider)
#include "tst_UrlImageProvider.moc"
