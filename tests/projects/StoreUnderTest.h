#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vela::test {

class PostgresCluster;

// The databases the project store is tested on ("sqlite", "postgresql"):
// a fresh, empty one per test, reached directly to look at or break it.
class StoreUnderTest
{
public:
    StoreUnderTest();
    ~StoreUnderTest();

    // A data column "database" with one row per database.
    void AddRows();
    // The connection of a new empty database; empty with Error() on failure.
    QString Fresh(const QString& database);
    // Runs `sql` (statements separated by ';') on the latest fresh database.
    bool Exec(const QString& database, const QString& sql);
    // Rows of a table of the latest fresh database, -1 on failure.
    int Count(const QString& database, const QString& table);
    // "lock": another writer holds the SQLite file; "remove": the file is
    // moved away; "stop": the PostgreSQL server stops. Or it is undone.
    bool Break(const QString& database, const QString& breakage, bool broken);
    QString Error() const;

private:
    bool Raw(const QString& database, const QString& sql, int* count = nullptr);
    bool StartPostgres();

    QTemporaryDir m_folder;
    // Started on first use, for the whole program.
    std::unique_ptr<PostgresCluster> m_cluster;
    int m_fresh = 0;
    QString m_sqliteFile;
    QString m_error;
};

} // namespace vela::test
