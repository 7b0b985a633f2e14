#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

namespace plazaserver {

// The catalog's own files (thumbnails, legends, component files) by their
// path relative to the catalog folder. Nothing outside the folder is ever
// read, whatever the path holds, and the catalog database is not a file to
// hand out. Entity tags are content hashes, computed once per file version.
class CatalogFiles
{
public:
    struct File
    {
        QByteArray Content;
        QByteArray ETag;
        QByteArray ContentType;
    };

    explicit CatalogFiles(const QString& folder);

    // False when `relativePath` names nothing servable. With `withContent`
    // false only the tag and type are filled (for a conditional request
    // answered 304).
    bool Find(const QString& relativePath, bool withContent, File& out);

    // Whether an If-None-Match header value names `etag` (or is "*").
    static bool Matches(const QByteArray& ifNoneMatch, const QByteArray& etag);

private:
    struct Tag
    {
        qint64 Size = -1;
        QDateTime Modified;
        QByteArray ETag;
    };

    QString Resolve(const QString& relativePath) const;

    QString m_folder;
    QMutex m_mutex;
    QHash<QString, Tag> m_tags;
};

} // namespace plazaserver
