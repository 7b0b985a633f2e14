#include "UrlImageProvider.h"

#include "PathUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMetaType>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QThread>
#include <QThreadPool>
#include <QUrl>

#include <algorithm>
#include <deque>
#include <map>
#include <vector>

namespace vela {

namespace {

constexpr int MaxConcurrentDownloads = 6;
constexpr int TransferTimeoutMs = 30000;
// Thumbnails and legends are small; anything bigger is not what the key promised.
constexpr qint64 MaxImageBytes = 32 * 1024 * 1024;

QPointer<QNetworkAccessManager> s_manager;
std::chrono::milliseconds s_firstRest{std::chrono::seconds(30)};
std::chrono::milliseconds s_longestRest{std::chrono::minutes(30)};

QUrl ToUrl(const std::wstring& key)
{
    const QString text = QString::fromStdWString(key).trimmed();
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

// The cache file is named .png, so data in any other format is stored re-encoded.
bool StoreAtomically(const QString& path, const QByteArray& bytes, const QImage& image)
{
    static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const bool written = bytes.startsWith(pngSignature) ? file.write(bytes) == bytes.size() : image.save(&file, "PNG");
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
        if (!inserted && entry.state == State::Resting && m_clock.elapsed() < entry.restUntil) {
            return;
        }
        const QPointer<UrlImageProvider> waiter(requester);
        if (std::find(entry.waiters.begin(), entry.waiters.end(), waiter) == entry.waiters.end()) {
            entry.waiters.push_back(waiter);
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

    void StartQueued()
    {
        while (m_running < MaxConcurrentDownloads && !m_queue.empty()) {
            const std::wstring key = m_queue.front();
            m_queue.pop_front();
            ++m_running;
            m_entries[key].state = State::Running;
            Start(key);
        }
    }

    void Start(const std::wstring& key)
    {
        const QString path = QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"));
        if (!QFileInfo::exists(path)) {
            Fetch(key, path);
            return;
        }
        // Stored already (by an earlier run, or for a caller that did not look first):
        // read it off the user-interface thread; a broken file is fetched again.
        QThreadPool::globalInstance()->start([this, key, path] {
            auto image = std::make_shared<QImage>(path);
            if (image->isNull()) {
                QMetaObject::invokeMethod(this, [this, key, path] { Fetch(key, path); }, Qt::QueuedConnection);
            } else {
                PostFinish(key, image);
            }
        });
    }

    void Fetch(const std::wstring& key, const QString& path)
    {
        const QUrl url = ToUrl(key);
        if (!IsFetchable(url)) {
            PostFinish(key, nullptr);
            return;
        }
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(TransferTimeoutMs);
        QNetworkReply* reply = Manager()->get(request);
        if (!reply) {
            PostFinish(key, nullptr);
            return;
        }
        // A reply can die with its manager before it finishes; the key must not stay running.
        auto handled = std::make_shared<bool>(false);
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
            if (received > MaxImageBytes || total > MaxImageBytes) {
                reply->abort();
            }
        });
        connect(reply, &QNetworkReply::finished, this, [this, key, path, reply, handled] {
            *handled = true;
            HandleReply(key, path, reply);
        });
        connect(reply, &QObject::destroyed, this, [this, key, handled] {
            if (!*handled) {
                *handled = true;
                Finish(key, nullptr);
            }
        });
    }

    void HandleReply(const std::wstring& key, const QString& path, QNetworkReply* reply)
    {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError || status >= 400) {
            Finish(key, nullptr);
            return;
        }
        const QByteArray bytes = reply->readAll();
        if (bytes.isEmpty() || bytes.size() > MaxImageBytes) {
            Finish(key, nullptr);
            return;
        }
        // Decoding and writing stay off the user-interface thread.
        QThreadPool::globalInstance()->start([this, key, path, bytes] {
            auto image = std::make_shared<QImage>();
            if (!image->loadFromData(bytes) || image->isNull() || !StoreAtomically(path, bytes, *image)) {
                image.reset();
            }
            PostFinish(key, image);
        });
    }

    void PostFinish(const std::wstring& key, std::shared_ptr<QImage> image)
    {
        QMetaObject::invokeMethod(this, [this, key, image] { Finish(key, image); }, Qt::QueuedConnection);
    }

    void Finish(const std::wstring& key, std::shared_ptr<QImage> image)
    {
        --m_running;
        std::vector<QPointer<UrlImageProvider>> waiters;
        const auto it = m_entries.find(key);
        if (it != m_entries.end()) {
            waiters = std::move(it->second.waiters);
            if (image) {
                m_entries.erase(it);
            } else {
                Entry& entry = it->second;
                entry.waiters.clear();
                entry.state = State::Resting;
                entry.restUntil = m_clock.elapsed() + RestAfter(++entry.failures);
            }
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
    int m_running = 0;
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

} // namespace vela
