#pragma once

#include "vela_service_export.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace vela {

// The layout of an embedded catalog and the keyword index rules that its
// writer and its readers must share.
//
// A catalog is a folder: `catalog.sqlite` plus a `files/` folder. Every URL
// column holds a path relative to the catalog folder ("files/thumbnails/x.png");
// readers turn it into a file:// URL of that folder. Tables:
//
//   meta(key PRIMARY KEY, value)
//       "format" = "plaza-catalog", "version" = "1", "component_count".
//   categories(code PRIMARY KEY, parent_code ('' at a root), name, leaf,
//              position, first_seq, own_last_seq, last_seq, component_count)
//       `position` is the pre-order position in the tree. Components are
//       numbered (`seq`) in that same order, so the components of a category
//       are the range [first_seq, own_last_seq] and those of its whole subtree
//       the range [first_seq, last_seq]; `component_count` counts the subtree.
//       An empty category has first_seq 0 and last_seq -1.
//   properties(pid PRIMARY KEY, code UNIQUE, name, unit, type)
//       type is "Enum", "Number", "Int" or "Logic".
//   property_choices(pid, position, value, text)      enumerated values of an Enum
//   category_properties(category_code, position, pid) the filterable properties of a category
//   components(seq INTEGER PRIMARY KEY, id, name, category_code, shop_id,
//              thumbnail, file, detail)
//       `thumbnail` is the list image, `file` the component file, `detail`
//       keys the tables below (components may share one detail).
//   component_values(pid, seq, number, text) WITHOUT ROWID, PRIMARY KEY(pid, seq)
//       Enum values in `text`; Number, Int and Logic (1 or 0) in `number`.
//       Value indexes (pid, text, seq) and (pid, number, seq) let one
//       condition find its components in a large category without reading
//       the others; catalogs written before them still work, more slowly.
//   name_grams(gram, seq) WITHOUT ROWID, PRIMARY KEY(gram, seq)
//       Every distinct character and pair of adjacent characters of each
//       case-folded name, coded by GramCode; answers one- and two-character keywords.
//   name_trigrams, a contentless FTS5 table with the trigram tokenizer whose
//       rowid is `seq`; answers keywords of three characters and more.
//   thumbnails(detail, size_key, position, url)       size keys "256" and "64"
//   legends(detail, position, name, url)
//   specifications(detail, specification_id, position, name)
//   parameters(detail, specification_id, position, name, value, unit, visible)
class VELA_SERVICE_EXPORT CatalogSchema
{
public:
    static constexpr int Version = 1;

    // The database file inside a catalog folder.
    static QString FileName();
    static QString FormatName();

    // The statements that create an empty catalog.
    static QStringList CreateStatements();
    // The value indexes, made once the values are written (bulk inserts in
    // index order are much faster than keeping the indexes up to date).
    static QStringList ValueIndexStatements();
    static QString TextValueIndex();
    static QString NumberValueIndex();

    // The form names and keywords are matched in: case-folded, trimmed.
    static QString Fold(const QString& text);
    // The code of a one-character or a two-character gram of code points.
    static qint64 GramCode(uint point);
    static qint64 GramCode(uint first, uint second);
    // The distinct gram codes of a name, as name_grams holds them.
    static QVector<qint64> NameGrams(const QString& name);

    // Canonical spelling of a property type, or an empty text for a type
    // the catalog does not know.
    static QString CanonicalPropertyType(const QString& type);
};

} // namespace vela
