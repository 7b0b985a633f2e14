#pragma once

#include <QString>
#include <QVariant>

#include <string>

class QSqlDatabase;
struct sqlite3;
struct sqlite3_stmt;

namespace vela {

// One prepared statement on the SQLite handle under a Qt connection. The
// hot paths of the catalog (reading match sets of hundreds of thousands of
// seqs, building a page of rows) go straight to SQLite: Qt SQL wraps every
// value in a QVariant, which costs more than the index read itself.
class SqliteStatement
{
public:
    // The handle of an open QSQLITE connection, or null (also when Qt SQL
    // runs on a SQLite build other than the one linked here).
    static sqlite3* Handle(const QSqlDatabase& db);

    SqliteStatement(sqlite3* db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool IsValid() const { return m_statement != nullptr; }
    // Rewinds and binds `values` to the first placeholders, in order.
    bool Bind(const QVariantList& values);
    // True while there is a row; Error() tells a failure from the end.
    bool Next();

    qint64 Int64(int column) const;
    // Text of a column in the form the records keep; NULL gives an empty text.
    std::wstring WideText(int column) const;
    // The UTF-16 text of a column, valid until the next step.
    QString RawText(int column) const;

    // Empty unless preparing, binding or stepping failed.
    QString Error() const { return m_error; }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_error;
};

} // namespace vela
