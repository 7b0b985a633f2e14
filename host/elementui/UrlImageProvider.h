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
class VELA_ELEMENTUI_EXPORT UrlImageProvider : public QObject
{
    Q_OBJECT

public:
    explicit UrlImageProvider(QObject* parent);
    ~UrlImageProvider() override;

    // Stores the image of `key` at PathUtils::GetThumbnailDownloadFilePath(key, L".png")
    // and answers with OnProvided, always later, never from inside this call. Cheap to
    // call on every paint: a key already on its way or resting after a failure costs nothing.
    void Provide(std::wstring key);

    // The manager every download goes through (the host's, with its proxy and cookies);
    // null goes back to the queue's own manager. The caller keeps ownership.
    static void SetNetworkAccessManager(QNetworkAccessManager* manager);

    // A key that failed rests `first`, then twice as long after every further failure,
    // never longer than `longest`.
    static void SetRetryDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest);

signals:
    // `image` is null when the key could not be fetched or was not an image; nothing
    // is written then, and the key rests before its next try.
    void OnProvided(std::wstring key, std::shared_ptr<QImage> image);

private:
    class Downloads;
};

} // namespace vela
