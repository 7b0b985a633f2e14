#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <memory>

namespace vela::test {

// A throwaway PostgreSQL cluster for one test program: created with initdb in
// a short folder under /tmp, served on a Unix socket in that folder only (no
// TCP port, so programs run side by side under `ctest -j`), and removed with
// the object. Several clusters may live in one process.
//
// The server runs as a child of the thread that called Start() and gets
// SIGQUIT when that thread ends, so a killed test leaves no server behind,
// only its folder: `rm -rf /tmp/plaza-pg-*` once no test runs.
//
// As root the server runs as the `postgres` user, since initdb and postgres
// refuse to run as root.
class PostgresCluster
{
public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // The first call creates the cluster and its database; later calls start
    // the same cluster again after Stop(), with its data. Blocks until the
    // server accepts connections; false with Error() set.
    bool Start();
    // Fast shutdown: open sessions are cut off, the data is kept.
    void Stop();
    bool IsRunning() const;

    // libpq key=value form: host=<folder> dbname=plaza user=plaza
    QString ConnectionString() const;
    // A QPSQL connection named `name` to the cluster's database, opened; on
    // failure it is returned closed with lastError() set.
    QSqlDatabase Open(const QString& name) const;

    // What went wrong last, with the output of initdb or the server's log.
    QString Error() const { return m_error; }
    // The folder holding the data and the socket.
    QString Folder() const { return m_folder.path(); }

    static QString DatabaseName() { return QStringLiteral("plaza"); }
    static QString UserName() { return QStringLiteral("plaza"); }

private:
    class ClusterProcess;

    bool Create();
    bool StartServer();
    bool WaitUntilReady();
    bool CreateDatabase();
    std::unique_ptr<ClusterProcess> NewProcess(const QString& program, const QStringList& arguments) const;
    bool Fail(const QString& error);
    QString ServerLog() const;

    QTemporaryDir m_folder;
    QString m_bindir;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    bool m_dropPrivileges = false;
    bool m_created = false;
    std::unique_ptr<ClusterProcess> m_server;
    QString m_error;
};

} // namespace vela::test
