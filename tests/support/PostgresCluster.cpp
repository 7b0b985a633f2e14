#include "PostgresCluster.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QSqlQuery>
#include <QVersionNumber>

#include <algorithm>
#include <csignal>

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace vela::test {

namespace {

constexpr int StartTimeoutMs = 60000;
constexpr int StopTimeoutMs = 30000;
constexpr int PollMs = 20;

QString LogFile(const QString& folder)
{
    return folder + QStringLiteral("/server.log");
}

QString DataFolder(const QString& folder)
{
    return folder + QStringLiteral("/data");
}

bool HasInitDb(const QString& bindir)
{
    return !bindir.isEmpty() && QFileInfo(bindir + QStringLiteral("/initdb")).isExecutable();
}

// Debian keeps the server programs out of PATH, in one folder per major
// version; pg_config knows the current one.
QString FindBinDir()
{
    QProcess pgConfig;
    pgConfig.start(QStringLiteral("pg_config"), {QStringLiteral("--bindir")});
    if (pgConfig.waitForFinished(10000) && pgConfig.exitCode() == 0) {
        const QString bindir = QString::fromLocal8Bit(pgConfig.readAllStandardOutput()).trimmed();
        if (HasInitDb(bindir)) {
            return bindir;
        }
    }
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList names = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QVersionNumber::fromString(a) > QVersionNumber::fromString(b);
    });
    for (const QString& name : names) {
        const QString bindir = versions.filePath(name) + QStringLiteral("/bin");
        if (HasInitDb(bindir)) {
            return bindir;
        }
    }
    return QString();
}

} // namespace

// Runs a PostgreSQL program as the cluster's owner. The child gets SIGQUIT
// (the server's immediate shutdown) when the thread that started it ends, so
// a test killed by a timeout does not leave a server running.
class PostgresCluster::ClusterProcess : public QProcess
{
public:
    ClusterProcess(bool dropPrivileges, uid_t uid, gid_t gid)
        : m_dropPrivileges(dropPrivileges)
        , m_uid(uid)
        , m_gid(gid)
        , m_parent(getpid())
    {
    }

protected:
    // Runs in the child between fork and exec: system calls only.
    void setupChildProcess() override
    {
        if (m_dropPrivileges && (setgroups(1, &m_gid) != 0 || setgid(m_gid) != 0 || setuid(m_uid) != 0)) {
            _exit(126);
        }
        // After the user change, which clears it.
        prctl(PR_SET_PDEATHSIG, SIGQUIT);
        if (getppid() != m_parent) {
            _exit(126);
        }
    }

private:
    bool m_dropPrivileges;
    uid_t m_uid;
    gid_t m_gid;
    pid_t m_parent;
};

PostgresCluster::PostgresCluster()
    : m_folder(QStringLiteral("/tmp/plaza-pg-XXXXXX"))
{
}

PostgresCluster::~PostgresCluster()
{
    Stop();
}

QString PostgresCluster::ConnectionString() const
{
    return QStringLiteral("host=%1 dbname=%2 user=%3").arg(Folder(), DatabaseName(), UserName());
}

QSqlDatabase PostgresCluster::Open(const QString& name) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(Folder());
    db.setDatabaseName(DatabaseName());
    db.setUserName(UserName());
    db.open();
    return db;
}

bool PostgresCluster::IsRunning() const
{
    return m_server && m_server->state() != QProcess::NotRunning;
}

bool PostgresCluster::Start()
{
    m_error.clear();
    if (IsRunning()) {
        return true;
    }
    if (!m_created) {
        if (!Create() || !StartServer() || !CreateDatabase()) {
            Stop();
            return false;
        }
        m_created = true;
        return true;
    }
    return StartServer();
}

void PostgresCluster::Stop()
{
    if (!IsRunning()) {
        return;
    }
    // SIGINT is the fast shutdown: sessions are ended instead of waited for.
    ::kill(pid_t(m_server->processId()), SIGINT);
    if (!m_server->waitForFinished(StopTimeoutMs)) {
        ::kill(pid_t(m_server->processId()), SIGQUIT);
        if (!m_server->waitForFinished(5000)) {
            m_server->kill();
            m_server->waitForFinished(5000);
        }
    }
    m_server.reset();
}

bool PostgresCluster::Fail(const QString& error)
{
    m_error = error;
    return false;
}

std::unique_ptr<PostgresCluster::ClusterProcess> PostgresCluster::NewProcess(const QString& program,
                                                                             const QStringList& arguments) const
{
    auto process = std::make_unique<ClusterProcess>(m_dropPrivileges, m_uid, m_gid);
    process->setProgram(m_bindir + QLatin1Char('/') + program);
    process->setArguments(arguments);
    // The folder is the one place the server's user may enter.
    process->setWorkingDirectory(Folder());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Untranslated messages and a C locale whatever the machine's settings.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.remove(QStringLiteral("PGDATA"));
    process->setProcessEnvironment(environment);
    return process;
}

bool PostgresCluster::Create()
{
    if (!m_folder.isValid()) {
        return Fail(QStringLiteral("cannot create a folder under /tmp: %1").arg(m_folder.errorString()));
    }
    m_bindir = FindBinDir();
    if (m_bindir.isEmpty()) {
        return Fail(QStringLiteral("no PostgreSQL server programs (initdb) found through pg_config or under "
                                   "/usr/lib/postgresql; scripts/install-deps.sh installs them"));
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        return Fail(QStringLiteral("Qt's QPSQL driver is missing; scripts/install-deps.sh installs it"));
    }
    m_dropPrivileges = geteuid() == 0;
    if (m_dropPrivileges) {
        const passwd* user = getpwnam("postgres");
        if (!user) {
            return Fail(QStringLiteral("running as root, but there is no postgres user to run the server as"));
        }
        m_uid = user->pw_uid;
        m_gid = user->pw_gid;
        if (chown(QFile::encodeName(Folder()).constData(), m_uid, m_gid) != 0) {
            return Fail(QStringLiteral("cannot hand %1 to the postgres user").arg(Folder()));
        }
    }

    const auto initdb = NewProcess(QStringLiteral("initdb"),
                                   {QStringLiteral("-D"), DataFolder(Folder()), QStringLiteral("-A"),
                                    QStringLiteral("trust"), QStringLiteral("-U"), UserName(),
                                    QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C"),
                                    QStringLiteral("--no-sync")});
    initdb->setProcessChannelMode(QProcess::MergedChannels);
    initdb->start();
    const bool finished = initdb->waitForFinished(StartTimeoutMs);
    if (!finished || initdb->exitStatus() != QProcess::NormalExit || initdb->exitCode() != 0) {
        return Fail(QStringLiteral("initdb failed (%1):\n%2")
                        .arg(finished ? QStringLiteral("exit code %1").arg(initdb->exitCode()) : initdb->errorString(),
                             QString::fromLocal8Bit(initdb->readAll())));
    }
    return true;
}

bool PostgresCluster::StartServer()
{
    // Only the socket in the folder: no TCP port to collide with other tests.
    // Durability is of no use to a cluster that is thrown away.
    m_server = NewProcess(QStringLiteral("postgres"),
                          {QStringLiteral("-D"), DataFolder(Folder()), QStringLiteral("-k"), Folder(),
                           QStringLiteral("-c"), QStringLiteral("listen_addresses="), QStringLiteral("-c"),
                           QStringLiteral("fsync=off"), QStringLiteral("-c"), QStringLiteral("full_page_writes=off"),
                           QStringLiteral("-c"), QStringLiteral("synchronous_commit=off")});
    m_server->setProcessChannelMode(QProcess::MergedChannels);
    m_server->setStandardOutputFile(LogFile(Folder()), QIODevice::Append);
    m_server->start();
    if (!m_server->waitForStarted(StartTimeoutMs)) {
        const QString reason = m_server->errorString();
        m_server.reset();
        return Fail(QStringLiteral("postgres did not start: %1").arg(reason));
    }
    if (!WaitUntilReady()) {
        Stop();
        return false;
    }
    return true;
}

// The server marks its lock file "ready" once it accepts connections; pg_ctl
// waits on the same line.
bool PostgresCluster::WaitUntilReady()
{
    QFile lockFile(DataFolder(Folder()) + QStringLiteral("/postmaster.pid"));
    const QByteArray pid = QByteArray::number(m_server->processId());
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (m_server->waitForFinished(PollMs)) {
            return Fail(QStringLiteral("postgres exited with code %1:\n%2").arg(m_server->exitCode()).arg(ServerLog()));
        }
        if (lockFile.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = lockFile.readAll().split('\n');
            lockFile.close();
            if (lines.size() > 7 && lines.at(0).trimmed() == pid && lines.at(7).trimmed() == "ready") {
                return true;
            }
        }
    }
    return Fail(QStringLiteral("postgres was not ready within %1 s:\n%2").arg(StartTimeoutMs / 1000).arg(ServerLog()));
}

bool PostgresCluster::CreateDatabase()
{
    const QString connection = QStringLiteral("plaza-pg-setup-%1").arg(quintptr(this), 0, 16);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(Folder());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(UserName());
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("CREATE DATABASE %1").arg(DatabaseName()))) {
                error = query.lastError().text();
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty()) {
        return Fail(QStringLiteral("cannot create database %1: %2").arg(DatabaseName(), error));
    }
    return true;
}

QString PostgresCluster::ServerLog() const
{
    QFile log(LogFile(Folder()));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

} // namespace vela::test
