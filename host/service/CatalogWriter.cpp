#include "CatalogWriter.h"

#include "CatalogSchema.h"

#include <QAtomicInt>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <functional>

namespace vela {

namespace {

QAtomicInt s_writerCount;

QVariant LogicNumber(const QString& value)
{
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("1") || v == QLatin1String("true") || v == QStringLiteral("是")) {
        return 1;
    }
    if (v == QLatin1String("0") || v == QLatin1String("false") || v == QStringLiteral("否")) {
        return 0;
    }
    return QVariant(QVariant::Double);
}

QVariant NumberOf(const QString& value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    return ok ? QVariant(number) : QVariant(QVariant::Double);
}

QVariant TextOrNull(const QString& text)
{
    return text.isNull() ? QVariant(QVariant::String) : QVariant(text);
}

} // namespace

struct CatalogWriter::Statements
{
    explicit Statements(const QSqlDatabase& db)
        : Component(db)
        , Value(db)
    {
    }
    QSqlQuery Component;
    QSqlQuery Value;
};

CatalogWriter::CatalogWriter(const QString& catalogFile)
    : m_file(catalogFile)
    , m_connection(QStringLiteral("plaza-catalog-writer-%1").arg(s_writerCount.fetchAndAddRelaxed(1)))
{
}

CatalogWriter::~CatalogWriter()
{
    m_statements.reset();
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            if (db.isOpen()) {
                db.rollback();
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString CatalogWriter::LastError() const
{
    return m_error;
}

QSqlDatabase CatalogWriter::Database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool CatalogWriter::Fail(const QString& message)
{
    m_error = message;
    return false;
}

bool CatalogWriter::Exec(const QString& sql)
{
    QSqlQuery query(Database());
    if (!query.exec(sql)) {
        return Fail(QStringLiteral("%1: %2").arg(sql.left(80), query.lastError().text()));
    }
    return true;
}

bool CatalogWriter::Open(QString* error)
{
    const auto failed = [&] {
        if (error) {
            *error = m_error;
        }
        return false;
    };
    if (m_open) {
        Fail(QStringLiteral("the catalog is already open"));
        return failed();
    }
    if (QFile::exists(m_file) && !QFile::remove(m_file)) {
        Fail(QStringLiteral("cannot replace %1").arg(m_file));
        return failed();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_file);
        if (!db.open()) {
            Fail(QStringLiteral("cannot create %1: %2").arg(m_file, db.lastError().text()));
            return failed();
        }
    }
    // A catalog is written once in one go: no journal is worth its cost.
    const QStringList setup = {
        QStringLiteral("PRAGMA journal_mode=OFF"),
        QStringLiteral("PRAGMA synchronous=OFF"),
        QStringLiteral("PRAGMA cache_size=-262144"),
        QStringLiteral("PRAGMA temp_store=FILE"),
    };
    for (const QString& sql : setup) {
        if (!Exec(sql)) {
            return failed();
        }
    }
    if (!Database().transaction()) {
        Fail(Database().lastError().text());
        return failed();
    }
    QStringList statements = CatalogSchema::CreateStatements();
    statements << QStringLiteral("CREATE TEMP TABLE staging(id TEXT, name TEXT, folded TEXT, category_code TEXT, "
                                 "shop_id TEXT, thumbnail TEXT, file TEXT, detail INTEGER)")
               << QStringLiteral("CREATE TEMP TABLE staging_values(crow INTEGER, pid INTEGER, number REAL, text TEXT)");
    for (const QString& sql : statements) {
        if (!Exec(sql)) {
            return failed();
        }
    }
    m_statements = std::make_unique<Statements>(Database());
    m_statements->Component.prepare(
        QStringLiteral("INSERT INTO staging(id, name, folded, category_code, shop_id, thumbnail, file, detail) "
                       "VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
    m_statements->Value.prepare(
        QStringLiteral("INSERT INTO staging_values(crow, pid, number, text) VALUES(?, ?, ?, ?)"));
    m_open = true;
    return true;
}

bool CatalogWriter::AddProperty(const Property& property)
{
    if (!m_open) {
        return Fail(QStringLiteral("the catalog is not open"));
    }
    if (property.Code.isEmpty() || m_properties.contains(property.Code)) {
        return Fail(QStringLiteral("property code \"%1\" is empty or repeated").arg(property.Code));
    }
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("INSERT INTO properties(code, name, unit, type) VALUES(?, ?, ?, ?)"));
    query.addBindValue(property.Code);
    query.addBindValue(TextOrNull(property.Name));
    query.addBindValue(TextOrNull(property.Unit));
    query.addBindValue(TextOrNull(property.Type));
    if (!query.exec()) {
        return Fail(query.lastError().text());
    }
    const qint64 pid = query.lastInsertId().toLongLong();
    m_properties.insert(property.Code, {pid, CatalogSchema::CanonicalPropertyType(property.Type)});

    query.prepare(QStringLiteral("INSERT INTO property_choices(pid, position, value, text) VALUES(?, ?, ?, ?)"));
    int position = 0;
    for (const auto& choice : property.Choices) {
        query.addBindValue(pid);
        query.addBindValue(position++);
        query.addBindValue(TextOrNull(choice.first));
        query.addBindValue(TextOrNull(choice.second));
        if (!query.exec()) {
            return Fail(query.lastError().text());
        }
    }
    return true;
}

bool CatalogWriter::AddCategory(const Category& category)
{
    if (!m_open) {
        return Fail(QStringLiteral("the catalog is not open"));
    }
    if (category.Code.isEmpty()) {
        return Fail(QStringLiteral("a category has no code"));
    }
    for (const Category& known : m_categories) {
        if (known.Code == category.Code) {
            return Fail(QStringLiteral("category code \"%1\" is repeated").arg(category.Code));
        }
    }
    m_categories.append(category);
    return true;
}

qint64 CatalogWriter::AddDetail(const Detail& detail)
{
    if (!m_open) {
        Fail(QStringLiteral("the catalog is not open"));
        return -1;
    }
    const qint64 id = m_nextDetail++;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("INSERT INTO thumbnails(detail, size_key, position, url) VALUES(?, ?, ?, ?)"));
    for (auto it = detail.Thumbnails.cbegin(); it != detail.Thumbnails.cend(); ++it) {
        int position = 0;
        for (const QString& url : it.value()) {
            query.addBindValue(id);
            query.addBindValue(it.key());
            query.addBindValue(position++);
            query.addBindValue(TextOrNull(url));
            if (!query.exec()) {
                Fail(query.lastError().text());
                return -1;
            }
        }
    }
    query.prepare(QStringLiteral("INSERT INTO legends(detail, position, name, url) VALUES(?, ?, ?, ?)"));
    int position = 0;
    for (const Legend& legend : detail.Legends) {
        query.addBindValue(id);
        query.addBindValue(position++);
        query.addBindValue(TextOrNull(legend.Name));
        query.addBindValue(TextOrNull(legend.Url));
        if (!query.exec()) {
            Fail(query.lastError().text());
            return -1;
        }
    }
    QSqlQuery parameters(Database());
    parameters.prepare(QStringLiteral("INSERT INTO parameters(detail, specification_id, position, name, value, unit, visible) "
                                      "VALUES(?, ?, ?, ?, ?, ?, ?)"));
    query.prepare(QStringLiteral("INSERT INTO specifications(detail, specification_id, position, name) VALUES(?, ?, ?, ?)"));
    position = 0;
    for (const Specification& specification : detail.Specifications) {
        query.addBindValue(id);
        query.addBindValue(specification.Id);
        query.addBindValue(position++);
        query.addBindValue(TextOrNull(specification.Name));
        if (!query.exec()) {
            Fail(query.lastError().text());
            return -1;
        }
        int parameterPosition = 0;
        for (const Parameter& parameter : specification.Parameters) {
            parameters.addBindValue(id);
            parameters.addBindValue(specification.Id);
            parameters.addBindValue(parameterPosition++);
            parameters.addBindValue(TextOrNull(parameter.Name));
            parameters.addBindValue(TextOrNull(parameter.Value));
            parameters.addBindValue(TextOrNull(parameter.Unit));
            parameters.addBindValue(parameter.Visible ? 1 : 0);
            if (!parameters.exec()) {
                Fail(parameters.lastError().text());
                return -1;
            }
        }
    }
    return id;
}

bool CatalogWriter::AddComponent(const Component& component)
{
    if (!m_open) {
        return Fail(QStringLiteral("the catalog is not open"));
    }
    QSqlQuery& insert = m_statements->Component;
    insert.addBindValue(TextOrNull(component.Id));
    insert.addBindValue(TextOrNull(component.Name));
    insert.addBindValue(CatalogSchema::Fold(component.Name));
    insert.addBindValue(TextOrNull(component.CategoryCode));
    insert.addBindValue(TextOrNull(component.ShopId));
    insert.addBindValue(TextOrNull(component.Thumbnail));
    insert.addBindValue(TextOrNull(component.File));
    insert.addBindValue(component.Detail < 0 ? QVariant(QVariant::LongLong) : QVariant(component.Detail));
    if (!insert.exec()) {
        return Fail(insert.lastError().text());
    }
    const qint64 row = insert.lastInsertId().toLongLong();

    QSqlQuery& value = m_statements->Value;
    for (const auto& entry : component.Values) {
        const auto property = m_properties.constFind(entry.first);
        if (property == m_properties.cend()) {
            continue;
        }
        const QString& type = property->second;
        QVariant number(QVariant::Double);
        QVariant text(QVariant::String);
        if (type == QLatin1String("Enum")) {
            text = entry.second;
        } else if (type == QLatin1String("Logic")) {
            number = LogicNumber(entry.second);
            text = entry.second;
        } else {
            number = NumberOf(entry.second);
            text = entry.second;
        }
        value.addBindValue(row);
        value.addBindValue(property->first);
        value.addBindValue(number);
        value.addBindValue(text);
        if (!value.exec()) {
            return Fail(value.lastError().text());
        }
    }
    return true;
}

bool CatalogWriter::Finish(QString* error)
{
    const auto failed = [&] {
        if (error) {
            *error = m_error;
        }
        return false;
    };
    if (!m_open) {
        Fail(QStringLiteral("the catalog is not open"));
        return failed();
    }
    m_statements.reset();
    QSqlDatabase db = Database();

    // Pre-order the tree: children in the order they were added; a category
    // whose parent is unknown (or that sits in a cycle) starts a tree of its own.
    QHash<QString, int> indexByCode;
    for (int i = 0; i < m_categories.size(); ++i) {
        indexByCode.insert(m_categories[i].Code, i);
    }
    QHash<QString, QVector<int>> children;
    QVector<int> roots;
    for (int i = 0; i < m_categories.size(); ++i) {
        const QString& parent = m_categories[i].ParentCode;
        if (parent.isEmpty() || !indexByCode.contains(parent) || parent == m_categories[i].Code) {
            roots.append(i);
        } else {
            children[parent].append(i);
        }
    }
    QVector<int> order;
    QVector<int> parentOf(m_categories.size(), -1);
    QSet<int> visited;
    std::function<void(int, int)> visit = [&](int index, int parent) {
        if (visited.contains(index)) {
            return;
        }
        visited.insert(index);
        parentOf[index] = parent;
        order.append(index);
        for (int child : children.value(m_categories[index].Code)) {
            visit(child, index);
        }
    };
    for (int root : roots) {
        visit(root, -1);
    }
    for (int i = 0; i < m_categories.size(); ++i) {
        visit(i, -1);
    }

    if (!Exec(QStringLiteral("CREATE TEMP TABLE category_order(code TEXT PRIMARY KEY, position INTEGER)"))) {
        return failed();
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO category_order(code, position) VALUES(?, ?)"));
    for (int position = 0; position < order.size(); ++position) {
        query.addBindValue(m_categories[order[position]].Code);
        query.addBindValue(position);
        if (!query.exec()) {
            Fail(query.lastError().text());
            return failed();
        }
    }

    // Components of unknown categories come last, in the order they were added.
    const QStringList numbering = {
        QStringLiteral("CREATE TEMP TABLE order_map(seq INTEGER PRIMARY KEY, srow INTEGER)"),
        QStringLiteral("INSERT INTO order_map(seq, srow) SELECT row_number() OVER "
                       "(ORDER BY o.position IS NULL, o.position, s.rowid), s.rowid "
                       "FROM staging AS s LEFT JOIN category_order AS o ON o.code = s.category_code"),
        QStringLiteral("CREATE INDEX temp.order_map_srow ON order_map(srow)"),
        QStringLiteral("INSERT INTO components(seq, id, name, category_code, shop_id, thumbnail, file, detail) "
                       "SELECT m.seq, s.id, s.name, s.category_code, s.shop_id, s.thumbnail, s.file, s.detail "
                       "FROM order_map AS m CROSS JOIN staging AS s ON s.rowid = m.srow ORDER BY m.seq"),
        QStringLiteral("INSERT OR IGNORE INTO component_values(pid, seq, number, text) "
                       "SELECT v.pid, m.seq, v.number, v.text FROM staging_values AS v "
                       "JOIN order_map AS m ON m.srow = v.crow ORDER BY v.pid, m.seq"),
        QStringLiteral("INSERT INTO name_trigrams(rowid, name) SELECT m.seq, s.folded "
                       "FROM order_map AS m CROSS JOIN staging AS s ON s.rowid = m.srow WHERE s.folded <> ''"),
    };
    for (const QString& sql : numbering + CatalogSchema::ValueIndexStatements()) {
        if (!Exec(sql)) {
            return failed();
        }
    }

    // Grams are cut in SQL (substr counts code points) from the names folded above.
    if (!query.exec(QStringLiteral("SELECT max(length(folded)) FROM staging")) || !query.next()) {
        Fail(query.lastError().text());
        return failed();
    }
    const int longest = query.value(0).toInt();
    if (!Exec(QStringLiteral("CREATE TEMP TABLE numbers(i INTEGER PRIMARY KEY)"))) {
        return failed();
    }
    query.prepare(QStringLiteral("INSERT INTO numbers(i) VALUES(?)"));
    for (int i = 1; i <= longest; ++i) {
        query.addBindValue(i);
        if (!query.exec()) {
            Fail(query.lastError().text());
            return failed();
        }
    }
    const QString grams = QStringLiteral(
        "INSERT OR IGNORE INTO name_grams(gram, seq) SELECT gram, seq FROM ("
        " SELECT unicode(substr(s.folded, n.i, 1)) AS gram, m.seq AS seq"
        "  FROM order_map AS m CROSS JOIN staging AS s ON s.rowid = m.srow JOIN numbers AS n ON n.i <= length(s.folded)"
        " UNION ALL"
        " SELECT (1 << 42) | (unicode(substr(s.folded, n.i, 1)) << 21) | unicode(substr(s.folded, n.i + 1, 1)), m.seq"
        "  FROM order_map AS m CROSS JOIN staging AS s ON s.rowid = m.srow JOIN numbers AS n ON n.i < length(s.folded)"
        ") ORDER BY gram, seq");
    if (!Exec(grams)) {
        return failed();
    }

    // Ranges: own components first, then each child's subtree in order.
    struct Range
    {
        qint64 First = 0;
        qint64 OwnLast = -1;
        qint64 Last = -1;
        qint64 Count = 0;
    };
    QHash<QString, Range> own;
    if (!query.exec(QStringLiteral(
            "SELECT category_code, min(seq), max(seq), count(*) FROM components GROUP BY category_code"))) {
        Fail(query.lastError().text());
        return failed();
    }
    while (query.next()) {
        own.insert(query.value(0).toString(),
                   Range{query.value(1).toLongLong(), query.value(2).toLongLong(), query.value(2).toLongLong(),
                         query.value(3).toLongLong()});
    }
    QVector<Range> ranges(m_categories.size());
    for (int i = 0; i < m_categories.size(); ++i) {
        ranges[i] = own.value(m_categories[i].Code);
    }
    for (int position = order.size() - 1; position >= 0; --position) {
        const int index = order[position];
        const int parent = parentOf[index];
        if (parent < 0 || ranges[index].Count == 0) {
            continue;
        }
        Range& p = ranges[parent];
        if (p.Count == 0) {
            p.First = ranges[index].First;
            p.Last = ranges[index].Last;
        } else {
            p.First = std::min(p.First, ranges[index].First);
            p.Last = std::max(p.Last, ranges[index].Last);
        }
        p.Count += ranges[index].Count;
    }

    query.prepare(QStringLiteral("INSERT INTO categories(code, parent_code, name, leaf, position, first_seq, "
                                 "own_last_seq, last_seq, component_count) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery properties(db);
    properties.prepare(
        QStringLiteral("INSERT INTO category_properties(category_code, position, pid) VALUES(?, ?, ?)"));
    for (int position = 0; position < order.size(); ++position) {
        const Category& category = m_categories[order[position]];
        const Range& range = ranges[order[position]];
        const int parent = parentOf[order[position]];
        query.addBindValue(category.Code);
        query.addBindValue(parent < 0 ? QString(QLatin1String("")) : m_categories[parent].Code);
        query.addBindValue(TextOrNull(category.Name));
        query.addBindValue(category.Leaf ? 1 : 0);
        query.addBindValue(position);
        query.addBindValue(range.First);
        query.addBindValue(own.contains(category.Code) ? range.OwnLast : range.First - 1);
        query.addBindValue(range.Last);
        query.addBindValue(range.Count);
        if (!query.exec()) {
            Fail(query.lastError().text());
            return failed();
        }
        int propertyPosition = 0;
        for (const QString& code : category.PropertyCodes) {
            const auto property = m_properties.constFind(code);
            if (property == m_properties.cend()) {
                continue;
            }
            properties.addBindValue(category.Code);
            properties.addBindValue(propertyPosition++);
            properties.addBindValue(property->first);
            if (!properties.exec()) {
                Fail(properties.lastError().text());
                return failed();
            }
        }
    }

    if (!query.exec(QStringLiteral("SELECT count(*) FROM components")) || !query.next()) {
        Fail(query.lastError().text());
        return failed();
    }
    const qint64 count = query.value(0).toLongLong();
    query.prepare(QStringLiteral("INSERT INTO meta(key, value) VALUES(?, ?)"));
    const QVector<QPair<QString, QString>> meta = {
        {QStringLiteral("format"), CatalogSchema::FormatName()},
        {QStringLiteral("version"), QString::number(CatalogSchema::Version)},
        {QStringLiteral("component_count"), QString::number(count)},
    };
    for (const auto& entry : meta) {
        query.addBindValue(entry.first);
        query.addBindValue(entry.second);
        if (!query.exec()) {
            Fail(query.lastError().text());
            return failed();
        }
    }
    query.clear();
    properties.clear();

    for (const char* sql : {"DROP TABLE temp.staging", "DROP TABLE temp.staging_values", "DROP TABLE temp.order_map",
                            "DROP TABLE temp.category_order", "DROP TABLE temp.numbers"}) {
        if (!Exec(QLatin1String(sql))) {
            return failed();
        }
    }
    if (!db.commit()) {
        Fail(db.lastError().text());
        return failed();
    }
    Exec(QStringLiteral("INSERT INTO name_trigrams(name_trigrams) VALUES('optimize')"));
    m_open = false;
    db.close();
    return true;
}

} // namespace vela
