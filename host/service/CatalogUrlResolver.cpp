#include "CatalogUrlResolver.h"

#include <QDir>
#include <QUrl>

#include <algorithm>

namespace vela {

namespace {

bool IsPlain(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
           || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_') || c == QLatin1Char('-')
           || c == QLatin1Char('/') || c == QLatin1Char('.');
}

} // namespace

CatalogUrlResolver::CatalogUrlResolver(const QString& folder)
    : m_folder(folder)
    , m_folderUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')).toString(QUrl::FullyEncoded).toStdWString())
{
}

std::wstring CatalogUrlResolver::Resolve(const QString& stored) const
{
    const QString text = stored.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    // Plain relative paths, as the writer stores them, need no parsing and
    // are ASCII, so they are appended as they are: a page resolves hundreds.
    if (std::all_of(text.cbegin(), text.cend(), IsPlain) && !text.startsWith(QLatin1Char('/'))
        && !text.contains(QLatin1String(".."))) {
        std::wstring url;
        url.reserve(m_folderUrl.size() + size_t(text.size()));
        url += m_folderUrl;
        for (const QChar c : text) {
            url.push_back(wchar_t(c.unicode()));
        }
        return url;
    }
    // Remote and absolute URLs pass as they are; a one-letter scheme is a drive letter.
    const QUrl url(text);
    if (url.isValid() && url.scheme().size() > 1) {
        return text.toStdWString();
    }
    const QString path = QDir::cleanPath(QDir(m_folder).absoluteFilePath(text));
    if (!path.startsWith(m_folder + QLatin1Char('/'))) {
        return {};
    }
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toStdWString();
}

} // namespace vela
