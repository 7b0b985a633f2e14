#include "CatalogSchema.h"

#include <algorithm>

namespace vela {

QString CatalogSchema::FileName()
{
    return QStringLiteral("catalog.sqlite");
}

QString CatalogSchema::FormatName()
{
    return QStringLiteral("plaza-catalog");
}

QStringList CatalogSchema::CreateStatements()
{
    return {
        QStringLiteral("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT)"),
        QStringLiteral("CREATE TABLE categories(code TEXT PRIMARY KEY, parent_code TEXT NOT NULL DEFAULT '', "
                       "name TEXT, leaf INTEGER NOT NULL DEFAULT 0, position INTEGER NOT NULL DEFAULT 0, "
                       "first_seq INTEGER NOT NULL DEFAULT 0, own_last_seq INTEGER NOT NULL DEFAULT -1, "
                       "last_seq INTEGER NOT NULL DEFAULT -1, component_count INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE TABLE properties(pid INTEGER PRIMARY KEY, code TEXT UNIQUE, name TEXT, unit TEXT, "
                       "type TEXT)"),
        QStringLiteral("CREATE TABLE property_choices(pid INTEGER, position INTEGER, value TEXT, text TEXT)"),
        QStringLiteral("CREATE INDEX property_choices_pid ON property_choices(pid, position)"),
        QStringLiteral("CREATE TABLE category_properties(category_code TEXT, position INTEGER, pid INTEGER)"),
        QStringLiteral("CREATE INDEX category_properties_code ON category_properties(category_code, position)"),
        QStringLiteral("CREATE TABLE components(seq INTEGER PRIMARY KEY, id TEXT, name TEXT, category_code TEXT, "
                       "shop_id TEXT, thumbnail TEXT, file TEXT, detail INTEGER)"),
        QStringLiteral("CREATE INDEX components_id ON components(id)"),
        QStringLiteral("CREATE TABLE component_values(pid INTEGER, seq INTEGER, number REAL, text TEXT, "
                       "PRIMARY KEY(pid, seq)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE name_grams(gram INTEGER, seq INTEGER, PRIMARY KEY(gram, seq)) WITHOUT ROWID"),
        QStringLiteral("CREATE VIRTUAL TABLE name_trigrams USING fts5(name, content='', tokenize='trigram')"),
        QStringLiteral("CREATE TABLE thumbnails(detail INTEGER, size_key TEXT, position INTEGER, url TEXT)"),
        QStringLiteral("CREATE INDEX thumbnails_detail ON thumbnails(detail)"),
        QStringLiteral("CREATE TABLE legends(detail INTEGER, position INTEGER, name TEXT, url TEXT)"),
        QStringLiteral("CREATE INDEX legends_detail ON legends(detail)"),
        QStringLiteral("CREATE TABLE specifications(detail INTEGER, specification_id TEXT, position INTEGER, name TEXT)"),
        QStringLiteral("CREATE INDEX specifications_detail ON specifications(detail, specification_id)"),
        QStringLiteral("CREATE TABLE parameters(detail INTEGER, specification_id TEXT, position INTEGER, name TEXT, "
                       "value TEXT, unit TEXT, visible INTEGER)"),
        QStringLiteral("CREATE INDEX parameters_specification ON parameters(detail, specification_id)"),
    };
}

QStringList CatalogSchema::ValueIndexStatements()
{
    // Partial: a condition compares with `=`, `<` or `>`, which a NULL never passes.
    return {
        QStringLiteral("CREATE INDEX %1 ON component_values(pid, text, seq) WHERE text IS NOT NULL")
            .arg(TextValueIndex()),
        QStringLiteral("CREATE INDEX %1 ON component_values(pid, number, seq) WHERE number IS NOT NULL")
            .arg(NumberValueIndex()),
    };
}

QString CatalogSchema::TextValueIndex()
{
    return QStringLiteral("component_values_text");
}

QString CatalogSchema::NumberValueIndex()
{
    return QStringLiteral("component_values_number");
}

QString CatalogSchema::Fold(const QString& text)
{
    return text.trimmed().toCaseFolded();
}

qint64 CatalogSchema::GramCode(uint point)
{
    return qint64(point);
}

qint64 CatalogSchema::GramCode(uint first, uint second)
{
    // Code points fit in 21 bits; pairs are kept apart from single characters by bit 42.
    constexpr qint64 PairFlag = qint64(1) << 42;
    return PairFlag | (qint64(first) << 21) | qint64(second);
}

QVector<qint64> CatalogSchema::NameGrams(const QString& name)
{
    const QVector<uint> points = Fold(name).toUcs4();
    QVector<qint64> grams;
    grams.reserve(points.size() * 2);
    for (int i = 0; i < points.size(); ++i) {
        grams.append(GramCode(points[i]));
        if (i + 1 < points.size()) {
            grams.append(GramCode(points[i], points[i + 1]));
        }
    }
    std::sort(grams.begin(), grams.end());
    grams.erase(std::unique(grams.begin(), grams.end()), grams.end());
    return grams;
}

QString CatalogSchema::CanonicalPropertyType(const QString& type)
{
    for (const char* known : {"Enum", "Number", "Int", "Logic"}) {
        if (type.compare(QLatin1String(known), Qt::CaseInsensitive) == 0) {
            return QLatin1String(known);
        }
    }
    return QString();
}

} // namespace vela
