#include "CatalogFiles.h"

#include "CatalogSchema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace plazaserver {

namespace {

QByteArray ContentType(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return "image/png";
    }
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return "image/jpeg";
    }
    if (suffix == QLatin1String("svg")) {
        return "image/svg+xml";
    }
    if (suffix == QLatin1String("json")) {
        return "application/json";
    }
    return "application/octet-stream";
}

} // namespace

CatalogFiles::CatalogFiles(const QString& folder)
    : m_folder(QFileInfo(folder).canonicalFilePath())
{
}

QString CatalogFiles::Resolve(const QString& relativePath) const
{
    if (m_folder.isEmpty() || relativePath.isEmpty() || relativePath.contains(QLatin1Char('\\'))
        || relativePath.contains(QChar(0))) {
        return {};
    }
    // Segment by segment first: "..", "." and empty segments never reach the file system.
    const QStringList segments = relativePath.split(QLatin1Char('/'));
    for (const QString& segment : segments) {
        if (segment.isEmpty() || segment == QLatin1String(".") || segment == QLatin1String("..")) {
            return {};
        }
    }
    // Then where it really is: a symbolic link may still point out of the folder.
    const QFileInfo info(m_folder + QLatin1Char('/') + relativePath);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !canonical.startsWith(m_folder + QLatin1Char('/')) || !QFileInfo(canonical).isFile()) {
        return {};
    }
    // The database and its side files are the engine's, not downloads.
    if (canonical.mid(m_folder.size() + 1).startsWith(vela::CatalogSchema::FileName())) {
        return {};
    }
    return canonical;
}

bool CatalogFiles::Find(const QString& relativePath, bool withContent, File& out)
{
    const QString path = Resolve(relativePath);
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    out.ContentType = ContentType(path);
    {
        QMutexLocker lock(&m_mutex);
        const auto tag = m_tags.constFind(path);
        if (tag != m_tags.cend() && tag->Size == info.size() && tag->Modified == info.lastModified()) {
            out.ETag = tag->ETag;
            if (!withContent) {
                return true;
            }
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    out.Content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    const QByteArray hash = QCryptographicHash::hash(out.Content, QCryptographicHash::Sha256).toHex().left(32);
    out.ETag = '"' + hash + '"';
    QMutexLocker lock(&m_mutex);
    m_tags.insert(path, Tag{out.Content.size(), info.lastModified(), out.ETag});
    return true;
}

bool CatalogFiles::Matches(const QByteArray& ifNoneMatch, const QByteArray& etag)
{
    for (QByteArray candidate : ifNoneMatch.split(',')) {
        candidate = candidate.trimmed();
        // A weak validator is enough for If-None-Match.
        if (candidate.startsWith("W/")) {
            candidate = candidate.mid(2);
        }
        if (candidate == "*" || candidate == etag) {
            return true;
        }
    }
    return false;
}

} // namespace plazaserver
