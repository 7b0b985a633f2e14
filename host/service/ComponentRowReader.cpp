#include "ComponentRowReader.h"

#include "CatalogUrlResolver.h"
#include "SqliteStatement.h"

#include <QCoreApplication>
#include <QSqlDatabase>

namespace vela {

namespace {

// Texts a person may read, in the interface language of the catalog backend.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::SqliteCatalogBackend)
};

const QString Columns = QStringLiteral("SELECT id, name, category_code, thumbnail, shop_id FROM components ");

std::wstring SqlError(const QString& message)
{
    return Texts::tr("查询构件库失败：%1").arg(message).toStdWString();
}

// Stepping over a row costs far less than looking one up.
constexpr qint64 DenseSpan = 16;

void ReadRow(const SqliteStatement& statement, const CatalogUrlResolver& urls, ComponentList& out)
{
    auto component = std::make_shared<IComponent>();
    component->Id = statement.WideText(0);
    component->Name = statement.WideText(1);
    component->CategoryCode = statement.WideText(2);
    component->ThumbnailUrl = urls.Resolve(statement.RawText(3));
    component->ShopId = statement.WideText(4);
    out.push_back(std::move(component));
}

void ReadRows(SqliteStatement& statement, const CatalogUrlResolver& urls, ComponentList& out)
{
    while (statement.Next()) {
        ReadRow(statement, urls, out);
    }
}

} // namespace

std::wstring ComponentRowReader::ReadRange(QSqlDatabase& db, const CatalogUrlResolver& urls, qint64 first,
                                           qint64 last, qint64 offset, qint64 limit, ComponentList& out)
{
    SqliteStatement statement(SqliteStatement::Handle(db),
                              Columns + QStringLiteral("WHERE seq BETWEEN ? AND ? ORDER BY seq LIMIT ? OFFSET ?"));
    if (!statement.Bind({first, last, limit, offset})) {
        return SqlError(statement.Error());
    }
    out.reserve(size_t(std::max<qint64>(0, limit)));
    ReadRows(statement, urls, out);
    return statement.Error().isEmpty() ? std::wstring() : SqlError(statement.Error());
}

std::wstring ComponentRowReader::ReadSeqs(QSqlDatabase& db, const CatalogUrlResolver& urls, const int32_t* begin,
                                          const int32_t* end, ComponentList& out)
{
    if (begin == end) {
        return {};
    }
    // A run of consecutive seqs is one range read.
    if (qint64(end[-1]) - qint64(*begin) == qint64(end - begin) - 1) {
        return ReadRange(db, urls, *begin, end[-1], 0, end - begin, out);
    }
    // Matches that lie close together are read as one range, skipping the
    // rows between them; scattered ones are looked up one by one.
    const qint64 span = qint64(end[-1]) - qint64(*begin) + 1;
    if (span <= DenseSpan * qint64(end - begin)) {
        SqliteStatement statement(SqliteStatement::Handle(db),
                                  QStringLiteral("SELECT id, name, category_code, thumbnail, shop_id, seq "
                                                 "FROM components WHERE seq BETWEEN ? AND ? ORDER BY seq"));
        if (!statement.Bind({qint64(*begin), qint64(end[-1])})) {
            return SqlError(statement.Error());
        }
        out.reserve(size_t(end - begin));
        const int32_t* wanted = begin;
        while (wanted != end && statement.Next()) {
            const qint64 seq = statement.Int64(5);
            while (wanted != end && *wanted < seq) {
                ++wanted;
            }
            if (wanted != end && *wanted == seq) {
                ReadRow(statement, urls, out);
                ++wanted;
            }
        }
        return statement.Error().isEmpty() ? std::wstring() : SqlError(statement.Error());
    }
    SqliteStatement statement(SqliteStatement::Handle(db), Columns + QStringLiteral("WHERE seq = ?"));
    out.reserve(size_t(end - begin));
    for (const int32_t* seq = begin; seq != end; ++seq) {
        if (!statement.Bind({qint64(*seq)})) {
            return SqlError(statement.Error());
        }
        ReadRows(statement, urls, out);
        if (!statement.Error().isEmpty()) {
            return SqlError(statement.Error());
        }
    }
    return {};
}

} // namespace vela
