#include "SqliteStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

#include <atomic>

namespace vela {

namespace {

// Whether Qt SQL's SQLite is the one linked here: a handle of another build
// must not be passed to these functions. One answer for the process.
bool SameSqlite(const QSqlDatabase& db)
{
    static std::atomic<int> s_same{-1};
    if (s_same < 0) {
        QSqlQuery query(db);
        s_same = query.exec(QStringLiteral("SELECT sqlite_source_id()")) && query.next()
                 && query.value(0).toString() == QLatin1String(sqlite3_sourceid());
    }
    return s_same == 1;
}

} // namespace

sqlite3* SqliteStatement::Handle(const QSqlDatabase& db)
{
    if (!db.isOpen() || !db.driver() || !SameSqlite(db)) {
        return nullptr;
    }
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3* const*>(handle.constData());
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql)
    : m_db(db)
{
    if (!m_db) {
        m_error = QStringLiteral("no database");
        return;
    }
    if (sqlite3_prepare16_v2(m_db, sql.utf16(), -1, &m_statement, nullptr) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        m_statement = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

bool SqliteStatement::Bind(const QVariantList& values)
{
    if (!m_statement) {
        return false;
    }
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        int result = SQLITE_OK;
        switch (value.type()) {
        case QVariant::Double:
            result = sqlite3_bind_double(m_statement, i + 1, value.toDouble());
            break;
        case QVariant::Int:
        case QVariant::LongLong:
        case QVariant::UInt:
        case QVariant::ULongLong:
        case QVariant::Bool:
            result = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
            break;
        default: {
            const QString text = value.toString();
            result = sqlite3_bind_text16(m_statement, i + 1, text.utf16(), int(text.size() * sizeof(QChar)),
                                         SQLITE_TRANSIENT);
            break;
        }
        }
        if (result != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
            return false;
        }
    }
    return true;
}

bool SqliteStatement::Next()
{
    if (!m_statement) {
        return false;
    }
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    return false;
}

qint64 SqliteStatement::Int64(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString SqliteStatement::RawText(int column) const
{
    const void* text = sqlite3_column_text16(m_statement, column);
    if (!text) {
        return QString();
    }
    const int bytes = sqlite3_column_bytes16(m_statement, column);
    return QString::fromRawData(static_cast<const QChar*>(text), bytes / int(sizeof(QChar)));
}

std::wstring SqliteStatement::WideText(int column) const
{
    return RawText(column).toStdWString();
}

} // namespace vela
