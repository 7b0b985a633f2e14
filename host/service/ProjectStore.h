#pragma once

#include "CatalogBackend.h"
#include "vela_service_export.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class QSqlDatabase;
class QSqlQuery;

namespace vela {

// A public component as the caller found it in the catalog, to be copied into a project.
struct PublicComponentRecord
{
    std::wstring Id;
    std::wstring Name;
    std::wstring CategoryCode;
};

// Collaboration projects and the components added into them, kept in SQLite
// or PostgreSQL. Every call is synchronous and may come from any thread that
// is not the user-interface thread; each thread uses a connection of its own,
// made on first use and dropped when the thread ends. Every call answers an
// error text for people, empty on success.
//
// The connection is a SQLite file, empty for a store in memory (it lives as
// long as one of its connections is open), or a PostgreSQL connection string
// ("postgresql://user@host:port/db", "postgresql:///db?host=/socket/folder",
// or libpq's "host=... dbname=..." form).
//
// The schema comes from the numbered SQL files in migrations/, applied on the
// first connection, each in a transaction of its own and recorded in
// schema_migrations; a database written by a newer program, or whose applied
// files were changed since, is refused. A SQLite store made before the
// migrations existed is taken over as it is.
//
// Additions are transactions (SQLite: BEGIN IMMEDIATE, waiting for other
// writers up to the busy timeout), so two clients adding at once each get
// their own rows and a failed addition leaves nothing behind. A store file
// that disappears is an error, never silently replaced by an empty one.
class VELA_SERVICE_EXPORT ProjectStore
{
public:
    struct Options
    {
        // How long a SQLite writer waits for another one.
        int BusyTimeoutMs = 5000;
        // How long connecting to PostgreSQL may take.
        int ConnectTimeoutSeconds = 5;
    };

    explicit ProjectStore(const QString& connection);
    ProjectStore(const QString& connection, Options options);
    // Drops this thread's connection; those of other threads go with their threads.
    ~ProjectStore();

    ProjectStore(const ProjectStore&) = delete;
    ProjectStore& operator=(const ProjectStore&) = delete;

    static bool IsPostgres(const QString& connection);
    bool UsesPostgres() const;
    bool InMemory() const;
    // The connection without its password, for messages.
    QString Description() const;

    // Connects this thread and brings the schema up to date.
    std::wstring Open();
    // A store without projects gets the demonstration projects, the first
    // holding `components()` (asked for only then).
    std::wstring SeedIfEmpty(const std::function<std::vector<PublicComponentRecord>()>& components);

    std::wstring CheckRepeats(const std::wstring& projectId, const std::vector<std::wstring>& publicIds,
                              RepeatCheckList& out);
    // Each record becomes a project component with an id of its own, all or none.
    // An addition with a request key that this project has seen before adds
    // nothing and answers the copies made then: a client that lost the answer
    // may send it again without making a second set.
    std::wstring AddFromPublic(const std::wstring& projectId, const std::vector<PublicComponentRecord>& components,
                               ProjectComponentList& out, const std::wstring& requestKey = {});
    // Every project, by id.
    std::wstring Projects(ProjectList& out);
    // A project's components, in the order they were added.
    std::wstring Components(const std::wstring& projectId, ProjectComponentList& out);

    // The schema version this program writes.
    static int LatestVersion();

private:
    QSqlDatabase Connection(std::wstring& error);
    bool OpenConnection(QSqlDatabase& db, std::wstring& error);
    std::wstring Migrate(QSqlDatabase& db);
    std::wstring StoreGone() const;
    // Connects this thread and checks the project exists, for the calls that only read.
    std::wstring FindProject(const std::wstring& projectId, QSqlDatabase& db, QSqlQuery& query);
    std::wstring Fail(QSqlDatabase& db, const QString& detail, bool rollback);
    // The first statement of a call (PostgreSQL: on a fresh connection if the old one is gone).
    bool First(QSqlDatabase& db, QSqlQuery& query, std::wstring& error, const QString& sql,
               const QVariantList& values = {});
    bool Begin(QSqlDatabase& db, bool write, std::wstring& error);
    bool Commit(QSqlDatabase& db, std::wstring& error);

    QString m_connection;
    Options m_options;
    bool m_postgres = false;
    int m_instance = 0;
    // SQLite file: made only by the first connection; its latest identity,
    // and the one each connection opened.
    QString m_file;
    quint64 m_fileIdentity = 0;
    QHash<QString, quint64> m_openedIdentity;

    QMutex m_mutex;
    std::atomic<bool> m_migrated{false};
    QStringList m_connectionNames;
};

} // namespace vela
