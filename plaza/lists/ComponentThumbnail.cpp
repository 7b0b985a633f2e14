#include "ComponentThumbnail.h"

#include "PathUtils.h"
#include "UrlImageProvider.h"

#include <QCache>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPixmap>

#include <algorithm>
#include <unordered_map>

namespace vela {

namespace {

// Enough for several pages of 256-pixel thumbnails in both views.
constexpr int IconCacheKilobytes = 24 * 1024;

QCache<QString, QIcon>* s_icons = nullptr;

void DropIcons()
{
    delete s_icons;
    s_icons = nullptr;
}

// Every repaint asks for the icon again. Decoding the file each time would cost a
// PNG decode per card per paint, and the shared pixmap cache is too small to hold
// a page of thumbnails next to everything else, so the decoded icons are kept here
// until the application goes away.
QIcon CachedIcon(const QString& path)
{
    if (!s_icons) {
        s_icons = new QCache<QString, QIcon>(IconCacheKilobytes);
        qAddPostRoutine(DropIcons);
    }
    if (const QIcon* icon = s_icons->object(path)) {
        return *icon;
    }
    QPixmap pixmap;
    if (!pixmap.load(path)) {
        return QIcon();
    }
    const int kilobytes = std::max(1, pixmap.width() * pixmap.height() * pixmap.depth() / 8 / 1024);
    const QIcon icon(pixmap);
    s_icons->insert(path, new QIcon(icon), kilobytes);
    return icon;
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
        return CachedIcon(path);
    }
    if (provider) {
        provider->Provide(key);
    }
    return CachedIcon(QStringLiteral(":/images/default_thumbnail.png"));
}

} // namespace vela
