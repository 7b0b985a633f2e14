#pragma once

#include "vela_service_export.h"

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QSqlDatabase;

namespace vela {

// Writes a new embedded catalog (see CatalogSchema) from records given in any
// order: it numbers the components in category tree order and builds the
// keyword index, the value indexes and the category ranges when finished.
// Used from one thread.
class VELA_SERVICE_EXPORT CatalogWriter
{
public:
    struct Property
    {
        QString Code;
        QString Name;
        QString Unit;
        QString Type;
        // Enumerated values and their display texts, in display order.
        QVector<QPair<QString, QString>> Choices;
    };

    struct Category
    {
        QString Code;
        QString ParentCode;
        QString Name;
        bool Leaf = false;
        QStringList PropertyCodes;
    };

    struct Parameter
    {
        QString Name;
        QString Value;
        QString Unit;
        bool Visible = true;
    };

    struct Specification
    {
        QString Id;
        QString Name;
        QVector<Parameter> Parameters;
    };

    struct Legend
    {
        QString Name;
        QString Url;
    };

    struct Detail
    {
        // Image URLs by size key.
        QMap<QString, QStringList> Thumbnails;
        QVector<Legend> Legends;
        QVector<Specification> Specifications;
    };

    struct Component
    {
        QString Id;
        QString Name;
        QString CategoryCode;
        QString ShopId;
        QString Thumbnail;
        QString File;
        // From AddDetail; -1 for none.
        qint64 Detail = -1;
        // Property code and value; properties must have been added first.
        QVector<QPair<QString, QString>> Values;
    };

    // `catalogFile` is replaced when Open succeeds.
    explicit CatalogWriter(const QString& catalogFile);
    ~CatalogWriter();
    CatalogWriter(const CatalogWriter&) = delete;
    CatalogWriter& operator=(const CatalogWriter&) = delete;

    bool Open(QString* error);
    bool AddProperty(const Property& property);
    bool AddCategory(const Category& category);
    qint64 AddDetail(const Detail& detail);
    bool AddComponent(const Component& component);
    // Numbers, indexes and commits; the file is complete only after this.
    bool Finish(QString* error);

    // The last failure of any step.
    QString LastError() const;

private:
    QSqlDatabase Database() const;
    bool Exec(const QString& sql);
    bool Fail(const QString& message);

    QString m_file;
    QString m_connection;
    QString m_error;
    bool m_open = false;
    qint64 m_nextDetail = 1;
    QVector<Category> m_categories;
    // Property code to (pid, canonical type).
    QMap<QString, QPair<qint64, QString>> m_properties;
    struct Statements;
    std::unique_ptr<Statements> m_statements;
};

} // namespace vela
