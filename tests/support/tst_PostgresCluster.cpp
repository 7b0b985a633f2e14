#include "PostgresCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <csignal>
#include <cstdio>

#include <sys/prctl.h>
#include <sys/wait.h>

using vela::test::PostgresCluster;

namespace {

// Set in the environment of a copy of this program that only starts a
// cluster, prints its folder and waits to be killed.
constexpr const char* OrphanVariable = "PLAZA_PG_ORPHAN";

int RunClusterUntilKilled()
{
    PostgresCluster cluster;
    if (!cluster.Start()) {
        std::fprintf(stderr, "%s\n", qPrintable(cluster.Error()));
        return 1;
    }
    std::printf("%s\n", qPrintable(cluster.Folder()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

class TestPostgresCluster : public QObject
{
    Q_OBJECT

private slots:
    void KeepsDataApartFromOthersAndTakesItsFolder();
    void KilledProgramLeavesNoServer();
};

// Restarting with the data kept and a stop under an open session are the
// project store's tests; here, what only the cluster itself promises.
void TestPostgresCluster::KeepsDataApartFromOthersAndTakesItsFolder()
{
    QString folders[2];
    {
        PostgresCluster first;
        PostgresCluster second;
        QVERIFY2(first.Start(), qPrintable(first.Error()));
        QVERIFY2(second.Start(), qPrintable(second.Error()));
        folders[0] = first.Folder();
        folders[1] = second.Folder();
        QVERIFY(folders[0] != folders[1]);
        {
            const QSqlDatabase db = first.Open(QStringLiteral("first"));
            QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE parts (name text)")));
            QVERIFY(db.tables().contains(QStringLiteral("parts")));
            const QSqlDatabase other = second.Open(QStringLiteral("second"));
            QVERIFY2(other.isOpen(), qPrintable(other.lastError().text()));
            QVERIFY(!other.tables().contains(QStringLiteral("parts")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("first"));
        QSqlDatabase::removeDatabase(QStringLiteral("second"));
        QVERIFY(QFile::exists(folders[0]));
    }
    QVERIFY(!QFile::exists(folders[0]) && !QFile::exists(folders[1]));
}

void TestPostgresCluster::KilledProgramLeavesNoServer()
{
    // Given a program with a running cluster, when it is killed outright (as a
    // test timeout does), then its server ends and only the folder is left.
    // As subreaper this test inherits the orphaned server, so it can wait for it.
    QCOMPARE(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(OrphanVariable), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(program.waitForStarted());
    while (!program.canReadLine() && program.waitForReadyRead(30000)) {
    }
    const QString folder = QString::fromLocal8Bit(program.readLine()).trimmed();
    QVERIFY2(folder.startsWith(QStringLiteral("/tmp/")), program.readAllStandardError().constData());
    const auto removeFolder = qScopeGuard([&folder] { QDir(folder).removeRecursively(); });
    QFile lockFile(folder + QStringLiteral("/data/postmaster.pid"));
    QVERIFY(lockFile.open(QIODevice::ReadOnly));
    const pid_t server = lockFile.readLine().trimmed().toInt();
    QVERIFY(server > 0);
    // Whoever reaps it (Qt reaps strays too), a child that is gone no longer
    // answers 0 to waitpid.
    const auto serverEnded = [server] { return waitpid(server, nullptr, WNOHANG) != 0; };
    const auto stopServer = qScopeGuard([&] {
        if (!serverEnded()) {
            kill(server, SIGQUIT);
            waitpid(server, nullptr, 0);
        }
    });

    program.kill();
    QVERIFY(program.waitForFinished());
    QTRY_VERIFY_WITH_TIMEOUT(serverEnded(), 10000);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(OrphanVariable)) {
        return RunClusterUntilKilled();
    }
    TestPostgresCluster test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PostgresCluster.moc"
