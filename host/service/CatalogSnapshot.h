#pragma once

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>
#include <string>

class QSqlDatabase;

namespace vela {

// What every query needs of the tree, read once: the catalog never changes
// while it is open.
struct CatalogSnapshot
{
    struct Category
    {
        QString Code;
        QString ParentCode;
        QString Name;
        bool Leaf = false;
        qint64 First = 0;
        qint64 OwnLast = -1;
        qint64 Last = -1;
        qint64 Count = 0;
        int Parent = -1;
    };

    // In tree pre-order.
    QVector<Category> Categories;
    QHash<QString, int> IndexByCode;
    QHash<QString, qint64> PropertyIds;
    qint64 ComponentCount = 0;
    qint64 FirstSeq = 0;
    qint64 LastSeq = -1;
    // Catalogs from older writers lack the value indexes; conditions then
    // scan a property's values in seq order instead.
    bool HasTextIndex = false;
    bool HasNumberIndex = false;

    // Null with `error` set when the catalog cannot be read.
    static std::shared_ptr<const CatalogSnapshot> Read(QSqlDatabase& db, std::wstring& error);
};

} // namespace vela
