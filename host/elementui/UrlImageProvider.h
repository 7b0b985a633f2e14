#pragma once

#include "vela_elementui_export.h"

#include <QImage>
#include <QObject>

#include <chrono>
#include <memory>
#include <string>

class QNetworkAccessManager;

namespace vela {

// Brings images named by URL (file://, http://, https://) into the thumbnail cache.
// All providers of the process share one download queue: one download per key at a
// time, a few downloads at once, and a key that failed rests before it is tried again.
// Images are stored no larger than StoredSide on their longest side, and only after
// the written file has been read back; every failure and its reason goes to the log.
class VELA_ELEMENTUI_EXPORT UrlImageProvider : public QObject
{
    Q_OBJECT

public:
    explicit UrlImageProvider(QObject* parent);
    ~UrlImageProvider() override;

    // Longest side of a stored image; larger ones are scaled down before they are stored.
    static constexpr int StoredSide = 512;

    // Stores the image of `key` at PathUtils::GetThumbnailDownloadFilePath(key, L".png")
    // and answers with OnProvided, always later, never from inside this call. Cheap to
    // call on every paint: a key already on its way costs nothing, and a key resting
    // after a failure answers "failed" (once per turn of the event loop) and, since it is
    // still wanted, is fetched again as soon as its rest is over. A stored file that no
    // longer decodes is removed and fetched again.
    void Provide(std::wstring key);

    // The manager every download goes through (the host's, with its proxy and cookies);
    // null goes back to the queue's own manager. The caller keeps ownership.
    static void SetNetworkAccessManager(QNetworkAccessManager* manager);

    // A key that failed rests `first`, then twice as long after every further failure,
    // never longer than `longest`.
    static void SetRetryDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest);

    // Every fetch fails once `deadline` has passed, however steadily its server keeps
    // sending. A fetch still running after `slowAfter` gives its place among the few
    // that run at once to the next one, so slow servers cannot hold every place (twelve
    // at most run in all, six to one host). By default 30 s and 4 s.
    static void SetDeadlines(std::chrono::milliseconds deadline, std::chrono::milliseconds slowAfter);

signals:
    // `image` is null when the key could not be fetched or was not an image; nothing
    // is written then, and the key rests before its next try.
    void OnProvided(std::wstring key, std::shared_ptr<QImage> image);

private:
    class Downloads;
};

} // namespace vela
