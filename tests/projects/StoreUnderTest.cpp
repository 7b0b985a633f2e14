#include "StoreUnderTest.h"

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
    Stop();
}

bool StoreUnderTest::HasPostgres() const
{
    return false;
}

void StoreUnderTest::AddRows()
{
    QTest::addColumn<QString>("database");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    if (HasPostgres()) {
        QTest::newRow("postgresql") << QStringLiteral("postgresql");
    }
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
    m_error = QStringLiteral("unknown database %1").arg(database);
    return {};
}

bool StoreUnderTest::Raw(const QString& database, const QString& sql, int* count)
{
    if (!QSqlDatabase::contains(RawName)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), RawName);
        db.setDatabaseName(m_sqliteFile);
        Q_UNUSED(database)
    }
    QSqlDatabase db = QSqlDatabase::database(RawName, false);
    if (!db.isOpen() && !db.open()) {
        m_error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        m_error = QStringLiteral("%1: %2").arg(sql, query.lastError().text());
        return false;
    }
    if (count) {
        *count = query.next() ? query.value(0).toInt() : -1;
    }
    return true;
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

bool StoreUnderTest::Break(const QString& database, const QString& breakage)
{
    if (breakage == QLatin1String("lock")) {
        return Raw(database, QStringLiteral("BEGIN IMMEDIATE"));
    }
    if (breakage == QLatin1String("remove")) {
        return QFile::rename(m_sqliteFile, m_sqliteFile + QStringLiteral(".away"));
    }
    m_error = QStringLiteral("cannot %1 %2").arg(breakage, database);
    return false;
}

bool StoreUnderTest::Repair(const QString& database, const QString& breakage)
{
    if (breakage == QLatin1String("lock")) {
        return Raw(database, QStringLiteral("ROLLBACK"));
    }
    if (breakage == QLatin1String("remove")) {
        return QFile::rename(m_sqliteFile + QStringLiteral(".away"), m_sqliteFile);
    }
    m_error = QStringLiteral("cannot repair %1 of %2").arg(breakage, database);
    return false;
}

void StoreUnderTest::Stop()
{
    QSqlDatabase::removeDatabase(RawName);
}

QString StoreUnderTest::Error() const
{
    return m_error;
}

} // namespace vela::test
