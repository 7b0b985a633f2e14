#include "ComponentThumbnail.h"

#include "PathUtils.h"
#include "UrlImageProvider.h"

#include <QCache>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <unordered_map>

namespace vela {

namespace {

// Enough for several pages of thumbnails in both views.
constexpr int IconCacheKilobytes = 24 * 1024;
// Cards draw 96 pixels, table rows less; twice that keeps high-density screens sharp.
constexpr int IconSide = 256;
// The provider stores nothing larger; a larger file comes from elsewhere and is
// left to the provider to scale down off this thread.
constexpr int LargestDecodedHere = 2 * UrlImageProvider::StoredSide;

QCache<QString, QIcon>* s_icons = nullptr;

void DropIcons()
{
    delete s_icons;
    s_icons = nullptr;
}

// Every repaint asks for the icon again, so the decoded icons are kept here (scaled to
// what a card can show, which keeps each one far below the cache's size) until the
// application goes away. A file that is damaged or too large to decode here gives a
// null icon and is not kept.
QIcon StoredIcon(const QString& path)
{
    if (!s_icons) {
        s_icons = new QCache<QString, QIcon>(IconCacheKilobytes);
        qAddPostRoutine(DropIcons);
    }
    if (const QIcon* icon = s_icons->object(path)) {
        return *icon;
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > LargestDecodedHere || size.height() > LargestDecodedHere) {
        return QIcon();
    }
    if (std::max(size.width(), size.height()) > IconSide) {
        reader.setScaledSize(size.scaled(IconSide, IconSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return QIcon();
    }
    const qint64 kilobytes = std::max<qint64>(1, static_cast<qint64>(image.sizeInBytes()) / 1024);
    const QIcon icon(QPixmap::fromImage(image));
    s_icons->insert(path, new QIcon(icon), static_cast<int>(std::min<qint64>(kilobytes, IconCacheKilobytes)));
    return icon;
}

QIcon DefaultIcon()
{
    return StoredIcon(QStringLiteral(":/images/default_thumbnail.png"));
}

// The path is a pure function of the key, but hashing the key and building the
// path costs more than the rest of a paint; remember it for the keys on screen.
QString ThumbnailPath(const std::wstring& key)
{
    constexpr size_t MaxRemembered = 4096;
    static std::unordered_map<std::wstring, QString> s_paths;
    const auto known = s_paths.find(key);
    if (known != s_paths.end()) {
        return known->second;
    }
    if (s_paths.size() >= MaxRemembered) {
        s_paths.clear();
    }
    const QString path = QString::fromStdWString(PathUtils::GetThumbnailDownloadFilePath(key, L".png"));
    s_paths.emplace(key, path);
    return path;
}

} // namespace

QIcon ComponentThumbnail::Resolve(UrlImageProvider* provider, const std::wstring& key)
{
    const QString path = ThumbnailPath(key);
    if (QFileInfo::exists(path)) {
        const QIcon icon = StoredIcon(path);
        if (!icon.isNull()) {
            return icon;
        }
        // Damaged or oversized: the provider reads it off this thread, then stores it
        // scaled down or fetches it again.
    }
    if (provider) {
        provider->Provide(key);
    }
    return DefaultIcon();
}

} // namespace vela
