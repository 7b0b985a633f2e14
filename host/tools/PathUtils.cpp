#include "PathUtils.h"

#include "WideText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace vela {

namespace {

QString CacheSubFolder(const QString& name)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    return folder;
}

// The extension keeps only letters and digits after its dot, so it cannot add a path.
QString SafeExtension(const std::wstring& extension)
{
    QString text;
    for (const wchar_t character : extension) {
        const bool plain = (character >= L'a' && character <= L'z') || (character >= L'A' && character <= L'Z')
                           || (character >= L'0' && character <= L'9');
        if (plain && text.size() < 16) {
            text.append(QChar(static_cast<char16_t>(character)));
        }
    }
    return text.isEmpty() ? QString() : QLatin1Char('.') + text;
}

// What the name is hashed from: the key's UTF-8 (so names made by earlier versions
// stay valid for ordinary keys); a key that does not survive that round trip, such
// as one holding a lone surrogate, is hashed from its raw code units behind a byte
// that UTF-8 never holds, so two distinct keys never share a name.
QByteArray HashInput(const std::wstring& key)
{
    const QString text = WideText::ToQString(key);
    if (text.toStdWString() == key) {
        return text.toUtf8();
    }
    QByteArray raw(1, '\xff');
    raw.append(reinterpret_cast<const char*>(key.data()), static_cast<int>(key.size() * sizeof(wchar_t)));
    return raw;
}

std::wstring HashedPath(const QString& folder, const std::wstring& key, const std::wstring& extension)
{
    const QByteArray hash = QCryptographicHash::hash(HashInput(key), QCryptographicHash::Sha1).toHex();
    return (folder + QLatin1Char('/') + QString::fromLatin1(hash) + SafeExtension(extension)).toStdWString();
}

} // namespace

std::wstring PathUtils::GetCacheFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    return folder.toStdWString();
}

// Asked on every paint of a thumbnail: the folders are made once per process.
std::wstring PathUtils::GetThumbnailDownloadFilePath(const std::wstring& key, const std::wstring& extension)
{
    static const QString folder = CacheSubFolder(QStringLiteral("thumbnails"));
    return HashedPath(folder, key, extension);
}

std::wstring PathUtils::GetComponentDownloadFilePath(const std::wstring& key, const std::wstring& extension)
{
    static const QString folder = CacheSubFolder(QStringLiteral("components"));
    return HashedPath(folder, key, extension);
}

} // namespace vela
