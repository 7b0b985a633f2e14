#include "StoreUnderTest.h"

#include "PostgresCluster.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace vela::test {

namespace {

const QString RawName = QStringLiteral("store-under-test");

} // namespace

StoreUnderTest::StoreUnderTest() = default;

StoreUnderTest::~StoreUnderTest()
{
    QSqlDatabase::removeDatabase(RawName);
}

void StoreUnderTest::AddRows()
{
    QTest::addColumn<QString>("database");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}

bool StoreUnderTest::StartPostgres()
{
    if (!m_cluster) {
        m_cluster = std::make_unique<PostgresCluster>();
    }
    if (!m_cluster->IsRunning() && !m_cluster->Start()) {
        m_error = m_cluster->Error();
        return false;
    }
    return true;
}

QString StoreUnderTest::Fresh(const QString& database)
{
    QSqlDatabase::removeDatabase(RawName);
    if (database == QLatin1String("sqlite")) {
        const QString folder = m_folder.filePath(QStringLiteral("store-%1").arg(++m_fresh));
        QDir().mkpath(folder);
        m_sqliteFile = folder + QStringLiteral("/projects.sqlite");
        return m_sqliteFile;
    }
    // One database for the program, emptied for each test.
    if (!StartPostgres()
        || !Exec(database, QStringLiteral("DROP TABLE IF EXISTS project_components, projects, schema_migrations"))) {
        return {};
    }
    return m_cluster->ConnectionString();
}

bool StoreUnderTest::Raw(const QString& database, const QString& sql, int* count)
{
    const bool postgres = database == QLatin1String("postgresql");
    // PostgreSQL: a connection per statement, so that a restarted server is no trouble.
    const QString name = postgres ? RawName + QStringLiteral("-pg") : RawName;
    bool ok = false;
    {
        QSqlDatabase db;
        if (postgres) {
            db = m_cluster->Open(name);
        } else {
            if (!QSqlDatabase::contains(name)) {
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name).setDatabaseName(m_sqliteFile);
            }
            db = QSqlDatabase::database(name, false);
            if (!db.isOpen()) {
                db.open();
            }
        }
        QSqlQuery query(db);
        if (!db.isOpen()) {
            m_error = db.lastError().text();
        } else if (postgres && !query.exec(QStringLiteral("SET client_min_messages = warning"))) {
            m_error = query.lastError().text();
        } else if (!query.exec(sql)) {
            m_error = QStringLiteral("%1: %2").arg(sql, query.lastError().text());
        } else {
            ok = true;
            if (count) {
                *count = query.next() ? query.value(0).toInt() : -1;
            }
        }
    }
    if (postgres) {
        QSqlDatabase::removeDatabase(name);
    }
    return ok;
}

bool StoreUnderTest::Exec(const QString& database, const QString& sql)
{
    for (const QString& statement : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!Raw(database, statement)) {
            return false;
        }
    }
    return true;
}

int StoreUnderTest::Count(const QString& database, const QString& table)
{
    int count = -1;
    return Raw(database, QStringLiteral("SELECT count(*) FROM %1").arg(table), &count) ? count : -1;
}

bool StoreUnderTest::Break(const QString& database, const QString& breakage, bool broken)
{
    const QString away = m_sqliteFile + QStringLiteral(".away");
    if (breakage == QLatin1String("lock")) {
        return Raw(database, broken ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("ROLLBACK"));
    }
    if (breakage == QLatin1String("remove")) {
        return broken ? QFile::rename(m_sqliteFile, away) : QFile::rename(away, m_sqliteFile);
    }
    if (breakage == QLatin1String("stop") && m_cluster) {
        if (!broken) {
            return StartPostgres();
        }
        m_cluster->Stop();
        return true;
    }
    m_error = QStringLiteral("cannot %1 %2").arg(breakage, database);
    return false;
}

QString StoreUnderTest::Error() const
{
    return m_error;
}

} // namespace vela::test
