#include "CatalogSnapshot.h"

#include "CatalogSchema.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vela {

namespace {

// Texts a person may read, in the interface language of the catalog backend.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::SqliteCatalogBackend)
};

} // namespace

std::shared_ptr<const CatalogSnapshot> CatalogSnapshot::Read(QSqlDatabase& db, std::wstring& error)
{
    auto snapshot = std::make_shared<CatalogSnapshot>();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const auto failed = [&] {
        error = Texts::tr("查询构件库失败：%1").arg(query.lastError().text()).toStdWString();
        return nullptr;
    };
    if (!query.exec(QStringLiteral("SELECT code, parent_code, name, leaf, first_seq, own_last_seq, last_seq, "
                                   "component_count FROM categories ORDER BY position"))) {
        return failed();
    }
    while (query.next()) {
        Category category;
        category.Code = query.value(0).toString();
        category.ParentCode = query.value(1).toString();
        category.Name = query.value(2).toString();
        category.Leaf = query.value(3).toInt() != 0;
        category.First = query.value(4).toLongLong();
        category.OwnLast = query.value(5).toLongLong();
        category.Last = query.value(6).toLongLong();
        category.Count = query.value(7).toLongLong();
        if (category.Code.isEmpty() || snapshot->IndexByCode.contains(category.Code)) {
            continue;
        }
        snapshot->IndexByCode.insert(category.Code, snapshot->Categories.size());
        snapshot->Categories.append(category);
    }
    for (Category& category : snapshot->Categories) {
        category.Parent = snapshot->IndexByCode.value(category.ParentCode, -1);
    }
    if (!query.exec(QStringLiteral("SELECT code, pid FROM properties"))) {
        return failed();
    }
    while (query.next()) {
        snapshot->PropertyIds.insert(query.value(0).toString(), query.value(1).toLongLong());
    }
    // Two statements: min() and max() together make SQLite scan the whole table.
    if (!query.exec(QStringLiteral("SELECT min(seq) FROM components")) || !query.next()) {
        return failed();
    }
    snapshot->FirstSeq = query.isNull(0) ? 0 : query.value(0).toLongLong();
    if (!query.exec(QStringLiteral("SELECT max(seq) FROM components")) || !query.next()) {
        return failed();
    }
    snapshot->LastSeq = query.isNull(0) ? -1 : query.value(0).toLongLong();
    // The writer keeps the count; counting a million rows is only the fallback.
    if (query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'component_count'")) && query.next()) {
        snapshot->ComponentCount = query.value(0).toLongLong();
    } else if (query.exec(QStringLiteral("SELECT count(*) FROM components")) && query.next()) {
        snapshot->ComponentCount = query.value(0).toLongLong();
    }
    if (query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"))) {
        while (query.next()) {
            const QString name = query.value(0).toString();
            snapshot->HasTextIndex = snapshot->HasTextIndex || name == CatalogSchema::TextValueIndex();
            snapshot->HasNumberIndex = snapshot->HasNumberIndex || name == CatalogSchema::NumberValueIndex();
        }
    }
    return snapshot;
}

} // namespace vela
