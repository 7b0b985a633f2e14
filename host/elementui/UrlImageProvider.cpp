#include "UrlImageProvider.h"

#include "AtomicFile.h"
#include "HostNetworkDetector.h"
#include "IVelaLogger.h"
#include "PathUtils.h"
#include "WideText.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QMetaType>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace vela {

namespace {

// Fetches that count against the limit; a slow one stops counting after a while.
constexpr int MaxActiveFetches = 6;
// Slow fetches included; what a crowd of slow servers can hold at most.
constexpr int MaxFetchesInFlight = 12;
// Qt opens at most six connections to one host and queues the rest unsent.
constexpr int MaxFetchesPerHost = 6;
constexpr int TransferTimeoutMs = 30000;
// Thumbnails and legends are small; anything bigger is not what the key promised.
constexpr qint64 MaxImageBytes = 32 * 1024 * 1024;
// Larger pictures are refused before decoding: decoding them would take gigabytes.
constexpr int MaxImageSide = 16384;
constexpr qint64 MaxImagePixels = 80'000'000;

QPointer<QNetworkAccessManager> s_manager;
std::chrono::milliseconds s_firstRest{std::chrono::seconds(30)};
std::chrono::milliseconds s_longestRest{std::chrono::minutes(30)};
std::chrono::milliseconds s_deadline{std::chrono::seconds(30)};
std::chrono::milliseconds s_slowAfter{std::chrono::seconds(4)};

QString Tr(const char* text)
{
    return QCoreApplication::translate("UrlImageProvider", text);
}

QUrl ToUrl(const std::wstring& key)
{
    const QString text = WideText::ToQString(key).trimmed();
    QUrl url(text);
    // A bare absolute path names a local file; ":..." would be a resource, not a download.
    if (url.scheme().isEmpty() && !text.startsWith(QLatin1Char(':')) && QDir::isAbsolutePath(text)) {
        url = QUrl::fromLocalFile(text);
    }
    return url;
}

bool IsFetchable(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("file") || scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

// Connections are pooled per scheme, host and port.
QString HostOf(const std::wstring& key)
{
    const QUrl url = ToUrl(key);
    return url.scheme().toLower() + QLatin1String("://") + url.host().toLower() + QLatin1Char(':')
           + QString::number(url.port());
}

// The image in `device` with its longest side at most `longestSide`; absurd dimensions
// are refused before any pixel is decoded.
QImage Decode(QIODevice* device, int longestSide, QString* why, bool* scaled)
{
    *scaled = false;
    QImageReader reader(device);
    const QSize size = reader.size();
    if (size.isValid()) {
        const bool absurd = size.width() <= 0 || size.height() <= 0 || size.width() > MaxImageSide
                            || size.height() > MaxImageSide
                            || qint64(size.width()) * qint64(size.height()) > MaxImagePixels;
        if (absurd) {
            *why = Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "图片尺寸过大：%1 × %2")).arg(size.width()).arg(size.height());
            return QImage();
        }
        // JPEG decodes straight to a smaller size. Other formats decode whole and are then
        // scaled smoothly, which first widens the whole picture to 32 bits per pixel: for a
        // picture many times too large that is left to the two steps below instead.
        const int longest = std::max(size.width(), size.height());
        const bool decodesSmaller = reader.format() == "jpeg";
        if (longestSide > 0 && longest > longestSide && (decodesSmaller || longest <= 2 * longestSide)) {
            reader.setScaledSize(size.scaled(longestSide, longestSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
            *scaled = true;
        }
    }
    QImage image = reader.read();
    if (image.isNull()) {
        *why = Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "图片无法解码：%1")).arg(reader.errorString());
        return QImage();
    }
    if (longestSide > 0 && std::max(image.width(), image.height()) > longestSide) {
        // Picking pixels keeps the decoded format and costs next to nothing; the smooth
        // step then works on a picture only twice the size it makes.
        if (std::max(image.width(), image.height()) > 2 * longestSide) {
            image = image.scaled(2 * longestSide, 2 * longestSide, Qt::KeepAspectRatio, Qt::FastTransformation);
        }
        image = image.scaled(longestSide, longestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        *scaled = true;
    }
    return image;
}

bool IsPng(const QByteArray& bytes)
{
    static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    return bytes.startsWith(pngSignature);
}

// The cache file is named .png, so data in any other format, and every image that had
// to be scaled down, is stored re-encoded. The file replaces the old one only once it
// has been read back whole.
bool Store(const QString& path, const QByteArray& bytes, const QImage& image, bool scaled, QString* why)
{
    QByteArray data = bytes;
    if (scaled || !IsPng(bytes)) {
        data.clear();
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image)) {
            *why = Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "图片无法编码：%1")).arg(writer.errorString());
            return false;
        }
    }
    const auto readsBack = [](const QString& written, QString* reason) {
        QImageReader reader(written);
        if (reader.read().isNull()) {
            *reason = Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "写入的图片无法读取：%1")).arg(reader.errorString());
            return false;
        }
        return true;
    };
    return AtomicFile::Write(path, data, readsBack, why);
}

void LogFailure(const std::wstring& key, const QString& why)
{
    if (IVelaLogger* logger = IVelaLogger::Get()) {
        VelaLogObject line(QStringLiteral("图片获取失败 %1：%2").arg(WideText::ToQString(key), why));
        logger->Warning(line);
    }
}

} // namespace

// The process-wide queue behind every provider; lives on the application's thread.
class UrlImageProvider::Downloads : public QObject
{
public:
    static Downloads* Instance()
    {
        static QPointer<Downloads> s_instance;
        if (!s_instance && QCoreApplication::instance()) {
            s_instance = new Downloads(QCoreApplication::instance());
        }
        return s_instance;
    }

    void Request(const std::wstring& key, UrlImageProvider* requester)
    {
        auto [it, inserted] = m_entries.try_emplace(key);
        Entry& entry = it->second;
        const QPointer<UrlImageProvider> waiter(requester);
        const auto gone = [](const QPointer<UrlImageProvider>& other) { return other.isNull(); };
        entry.waiters.erase(std::remove_if(entry.waiters.begin(), entry.waiters.end(), gone), entry.waiters.end());
        if (std::find(entry.waiters.begin(), entry.waiters.end(), waiter) == entry.waiters.end()) {
            entry.waiters.push_back(waiter);
        }
        if (!inserted && entry.state == State::Resting && m_clock.elapsed() < entry.restUntil) {
            // Whoever asks during the rest learns at once that there is nothing yet, and
            // gets the picture if the try at the end of the rest brings it.
            AnswerFailedLater(key, requester);
            ArmRetry(key);
            return;
        }
        if (inserted || entry.state == State::Resting) {
            entry.state = State::Queued;
            m_queue.push_back(key);
            StartQueued();
        }
    }

private:
    enum class State
    {
        Queued,
        Running,
        Resting,
    };

    struct Entry
    {
        State state = State::Queued;
        std::vector<QPointer<UrlImageProvider>> waiters;
        int failures = 0;
        qint64 restUntil = 0;
        bool retryArmed = false;
        // Of the current run.
        quint64 run = 0;
        QString host;
        bool holdsSlot = false;
        // Why our side ended the transfer, when it did.
        QString abortReason;
        QPointer<QNetworkReply> reply;
    };

    explicit Downloads(QObject* parent)
        : QObject(parent)
    {
        m_clock.start();
    }

    QNetworkAccessManager* Manager()
    {
        if (s_manager) {
            return s_manager;
        }
        if (!m_ownManager) {
            m_ownManager = new QNetworkAccessManager(this);
        }
        return m_ownManager;
    }

    void AnswerFailedLater(const std::wstring& key, UrlImageProvider* requester)
    {
        if (!m_answering.emplace(requester, key).second) {
            return;
        }
        const QPointer<UrlImageProvider> guard(requester);
        QMetaObject::invokeMethod(this, [this, guard, requester, key] {
            m_answering.erase({requester, key});
            if (guard) {
                emit guard->OnProvided(key, nullptr);
            }
        }, Qt::QueuedConnection);
    }

    void ArmRetry(const std::wstring& key)
    {
        Entry& entry = m_entries[key];
        if (entry.retryArmed) {
            return;
        }
        entry.retryArmed = true;
        const qint64 wait = std::max<qint64>(entry.restUntil - m_clock.elapsed(), 0);
        QTimer::singleShot(std::chrono::milliseconds(wait), this, [this, key] {
            const auto it = m_entries.find(key);
            if (it == m_entries.end()) {
                return;
            }
            Entry& resting = it->second;
            resting.retryArmed = false;
            if (resting.state != State::Resting) {
                return;
            }
            if (m_clock.elapsed() < resting.restUntil) {
                ArmRetry(key);
                return;
            }
            const bool wanted = std::any_of(resting.waiters.begin(), resting.waiters.end(),
                                            [](const QPointer<UrlImageProvider>& waiter) { return !waiter.isNull(); });
            if (wanted) {
                resting.state = State::Queued;
                m_queue.push_back(key);
                StartQueued();
            }
        });
    }

    // Takes the first queued keys whose host has a free connection, so one crowded
    // host does not hold back the others.
    void StartQueued()
    {
        for (auto it = m_queue.begin(); it != m_queue.end();) {
            if (m_active >= MaxActiveFetches || m_inFlight >= MaxFetchesInFlight) {
                return;
            }
            const std::wstring key = *it;
            const QString host = HostOf(key);
            if (m_perHost.value(host) >= MaxFetchesPerHost) {
                ++it;
                continue;
            }
            it = m_queue.erase(it);
            Start(key, host);
        }
    }

    void Start(const std::wstring& key, const QString& host)
    {
        Entry& entry = m_entries[key];
        entry.state = State::Running;
        entry.run = ++m_runs;
        entry.host = host;
        entry.holdsSlot = true;
        entry.abortReason.clear();
        entry.reply = nullptr;
        ++m_active;
        ++m_inFlight;
        ++m_perHost[host];
        const quint64 run = entry.run;
        QTimer::singleShot(s_slowAfter, this, [this, key, run] { Demote(key, run); });
        QTimer::singleShot(s_deadline, this, [this, key, run] { Expire(key, run); });

        const QString path = QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"));
        if (!QFileInfo::exists(path)) {
            Fetch(key, run, path);
            return;
        }
        // Stored already (by an earlier run, or for a caller that did not look first):
        // read it off the user-interface thread. A file too large to show as it is gets
        // stored again scaled down; one that does not decode is removed and fetched again.
        QThreadPool::globalInstance()->start([this, key, run, path] {
            QFile file(path);
            QString why;
            bool scaled = false;
            QImage image;
            if (file.open(QIODevice::ReadOnly)) {
                image = Decode(&file, StoredSide, &why, &scaled);
                file.close();
            }
            if (image.isNull()) {
                QFile::remove(path);
                QMetaObject::invokeMethod(this, [this, key, run, path, why] {
                    LogFailure(key, Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "缓存的图片已损坏，重新获取（%1）")).arg(why));
                    if (IsRunning(key, run)) {
                        Fetch(key, run, path);
                    }
                }, Qt::QueuedConnection);
                return;
            }
            if (scaled && !Store(path, QByteArray(), image, true, &why)) {
                PostFinish(key, run, nullptr, why);
                return;
            }
            PostFinish(key, run, std::make_shared<QImage>(image), QString());
        });
    }

    bool IsRunning(const std::wstring& key, quint64 run) const
    {
        const auto it = m_entries.find(key);
        return it != m_entries.end() && it->second.state == State::Running && it->second.run == run;
    }

    void Demote(const std::wstring& key, quint64 run)
    {
        if (!IsRunning(key, run)) {
            return;
        }
        Entry& entry = m_entries[key];
        if (entry.holdsSlot) {
            entry.holdsSlot = false;
            --m_active;
            StartQueued();
        }
    }

    void Expire(const std::wstring& key, quint64 run)
    {
        if (!IsRunning(key, run)) {
            return;
        }
        Entry& entry = m_entries[key];
        const QString why = Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "超时：%1 毫秒内未完成")).arg(s_deadline.count());
        if (entry.reply) {
            entry.abortReason = why;
            entry.reply->abort();
            return;
        }
        // Reading or decoding: whatever it brings later is dropped.
        Finish(key, run, nullptr, why);
    }

    void Fetch(const std::wstring& key, quint64 run, const QString& path)
    {
        const QUrl url = ToUrl(key);
        if (!IsFetchable(url)) {
            PostFinish(key, run, nullptr, Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "不是可下载的地址")));
            return;
        }
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(static_cast<int>(std::min<qint64>(TransferTimeoutMs, s_deadline.count())));
        QNetworkReply* reply = Manager()->get(request);
        if (!reply) {
            PostFinish(key, run, nullptr, Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "无法发出请求")));
            return;
        }
        m_entries[key].reply = reply;
        // A reply can die with its manager before it finishes; the key must not stay running.
        auto handled = std::make_shared<bool>(false);
        connect(reply, &QNetworkReply::downloadProgress, this, [this, key, run, reply](qint64 received, qint64 total) {
            if ((received > MaxImageBytes || total > MaxImageBytes) && IsRunning(key, run)) {
                m_entries[key].abortReason = Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "图片过大：超过 %1 字节")).arg(MaxImageBytes);
                reply->abort();
            }
        });
        connect(reply, &QNetworkReply::finished, this, [this, key, run, path, reply, handled] {
            *handled = true;
            HandleReply(key, run, path, reply);
        });
        connect(reply, &QObject::destroyed, this, [this, key, run, handled] {
            if (!*handled) {
                *handled = true;
                Finish(key, run, nullptr, Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "下载被中断")));
            }
        });
    }

    void HandleReply(const std::wstring& key, quint64 run, const QString& path, QNetworkReply* reply)
    {
        reply->deleteLater();
        if (!IsRunning(key, run)) {
            return;
        }
        Entry& entry = m_entries[key];
        entry.reply = nullptr;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // Our own aborts are the deadline or an answer too large; Qt's is its idle timeout.
        HostNetworkDetector::Get()->ReportReply(
            *reply, !entry.abortReason.isEmpty() || reply->error() == QNetworkReply::OperationCanceledError);
        if (!entry.abortReason.isEmpty()) {
            Finish(key, run, nullptr, entry.abortReason);
            return;
        }
        if (status >= 400) {
            Finish(key, run, nullptr, Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "服务器回答 HTTP %1")).arg(status));
            return;
        }
        if (reply->error() != QNetworkReply::NoError) {
            Finish(key, run, nullptr, reply->errorString());
            return;
        }
        const QByteArray bytes = reply->readAll();
        if (bytes.isEmpty() || bytes.size() > MaxImageBytes) {
            Finish(key, run, nullptr, bytes.isEmpty() ? Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "没有收到数据")) : Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "图片过大")));
            return;
        }
        // Decoding and writing stay off the user-interface thread.
        QThreadPool::globalInstance()->start([this, key, run, path, bytes] {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QString why;
            bool scaled = false;
            const QImage image = Decode(&buffer, StoredSide, &why, &scaled);
            if (image.isNull() || !Store(path, bytes, image, scaled, &why)) {
                PostFinish(key, run, nullptr, why);
                return;
            }
            PostFinish(key, run, std::make_shared<QImage>(image), QString());
        });
    }

    void PostFinish(const std::wstring& key, quint64 run, std::shared_ptr<QImage> image, const QString& why)
    {
        QMetaObject::invokeMethod(this, [this, key, run, image, why] { Finish(key, run, image, why); },
                                  Qt::QueuedConnection);
    }

    void Finish(const std::wstring& key, quint64 run, std::shared_ptr<QImage> image, const QString& why)
    {
        if (!IsRunning(key, run)) {
            return;
        }
        const auto it = m_entries.find(key);
        Entry& entry = it->second;
        if (entry.holdsSlot) {
            --m_active;
        }
        --m_inFlight;
        if (--m_perHost[entry.host] <= 0) {
            m_perHost.remove(entry.host);
        }
        std::vector<QPointer<UrlImageProvider>> waiters = std::move(entry.waiters);
        if (image) {
            m_entries.erase(it);
        } else {
            entry.waiters.clear();
            entry.state = State::Resting;
            entry.holdsSlot = false;
            entry.reply = nullptr;
            entry.restUntil = m_clock.elapsed() + RestAfter(++entry.failures);
            LogFailure(key, why.isEmpty() ? Tr(QT_TRANSLATE_NOOP("UrlImageProvider", "未知原因")) : why);
        }
        StartQueued();
        for (const QPointer<UrlImageProvider>& waiter : waiters) {
            if (waiter) {
                emit waiter->OnProvided(key, image);
            }
        }
    }

    static qint64 RestAfter(int failures)
    {
        const qint64 longest = std::max<qint64>(s_longestRest.count(), 0);
        qint64 rest = std::min<qint64>(s_firstRest.count(), longest);
        for (int i = 1; i < failures && rest < longest; ++i) {
            rest = std::min(rest * 2, longest);
        }
        return rest;
    }

    std::map<std::wstring, Entry> m_entries;
    std::deque<std::wstring> m_queue;
    // Failure answers already on their way, so a paint storm sends one per turn.
    std::set<std::pair<const UrlImageProvider*, std::wstring>> m_answering;
    QHash<QString, int> m_perHost;
    int m_active = 0;
    int m_inFlight = 0;
    quint64 m_runs = 0;
    QNetworkAccessManager* m_ownManager = nullptr;
    QElapsedTimer m_clock;
};

UrlImageProvider::UrlImageProvider(QObject* parent)
    : QObject(parent)
{
    // Receivers on other threads get OnProvided through queued calls.
    static const bool s_registered = [] {
        qRegisterMetaType<std::wstring>("std::wstring");
        qRegisterMetaType<std::shared_ptr<QImage>>("std::shared_ptr<QImage>");
        return true;
    }();
    Q_UNUSED(s_registered)
}

UrlImageProvider::~UrlImageProvider() = default;

void UrlImageProvider::Provide(std::wstring key)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || key.empty()) {
        return;
    }
    if (QThread::currentThread() != app->thread()) {
        const QPointer<UrlImageProvider> self(this);
        QMetaObject::invokeMethod(app, [self, key] {
            if (self) {
                self->Provide(key);
            }
        }, Qt::QueuedConnection);
        return;
    }
    if (Downloads* downloads = Downloads::Instance()) {
        downloads->Request(key, this);
    }
}

void UrlImageProvider::SetNetworkAccessManager(QNetworkAccessManager* manager)
{
    s_manager = manager;
}

void UrlImageProvider::SetRetryDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest)
{
    s_firstRest = first;
    s_longestRest = longest;
}

void UrlImageProvider::SetDeadlines(std::chrono::milliseconds deadline, std::chrono::milliseconds slowAfter)
{
    s_deadline = std::max(deadline, std::chrono::milliseconds(1));
    s_slowAfter = std::max(slowAfter, std::chrono::milliseconds(1));
}

} // namespace vela
