// The catalog server's answers and requests as the other side reads them.
//
// Input: one byte naming the record (its value modulo the number of kinds,
// see Kinds below), then the bytes of the body as they arrived.
//
// A reader may refuse anything, but what it accepts must survive the trip
// back: written out again and read again it is accepted, and writing that
// gives the same bytes, so server and client agree on every record one of
// them accepts.
#include "CatalogJson.h"

#include <QByteArray>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using vela::CatalogJson;

[[noreturn]] void Finding(const char* kind, const char* what, const QByteArray& detail)
{
    std::fprintf(stderr, "catalog_json_fuzzer: %s: %s: %s\n", kind, what, detail.constData());
    std::abort();
}

struct Kind
{
    const char* Name;
    // Reads the object and writes what was read; false when the reader refuses it.
    std::function<bool(const QJsonObject&, QJsonObject&)> ReadAndWrite;
};

template <class Record>
Kind MakeKind(const char* name, bool (*read)(const QJsonObject&, Record&, QString*),
              std::function<QJsonObject(const Record&)> write)
{
    return {name, [read, write](const QJsonObject& in, QJsonObject& out) {
                Record record{};
                QString error;
                if (!read(in, record, &error)) {
                    return false;
                }
                out = write(record);
                return true;
            }};
}

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        MakeKind<vela::CategoryQuery>("category query", &CatalogJson::ToCategoryQuery, &CatalogJson::FromCategoryQuery),
        MakeKind<vela::ComponentQuery>("component query", &CatalogJson::ToComponentQuery,
                                       &CatalogJson::FromComponentQuery),
        MakeKind<vela::CategoryList>("categories", &CatalogJson::ToCategories, &CatalogJson::FromCategories),
        MakeKind<vela::ComponentPage>("component page", &CatalogJson::ToComponentPage,
                                      [](const vela::ComponentPage& page) { return CatalogJson::FromComponentPage(page); }),
        MakeKind<std::shared_ptr<vela::IDetailedPublicComponent>>(
            "detailed component", &CatalogJson::ToDetailedComponent,
            [](const std::shared_ptr<vela::IDetailedPublicComponent>& detail) {
                return CatalogJson::FromDetailedComponent(detail);
            }),
        MakeKind<vela::LegendList>("legends", &CatalogJson::ToLegends,
                                   [](const vela::LegendList& legends) { return CatalogJson::FromLegends(legends); }),
        MakeKind<std::shared_ptr<vela::ISpecification>>("specification", &CatalogJson::ToSpecification,
                                                        &CatalogJson::FromSpecification),
        MakeKind<std::shared_ptr<vela::ICategoryProperty>>("category property", &CatalogJson::ToCategoryProperty,
                                                           &CatalogJson::FromCategoryProperty),
        MakeKind<std::wstring>("file url", &CatalogJson::ToFileUrl,
                               [](const std::wstring& url) { return CatalogJson::FromFileUrl(url); }),
    };
    return kinds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const Kind& kind = Kinds()[data[0] % Kinds().size()];
    const QByteArray body(reinterpret_cast<const char*>(data + 1), int(size - 1));

    QJsonObject object;
    QString error;
    if (!CatalogJson::Parse(body, object, &error)) {
        if (error.isEmpty()) {
            Finding(kind.Name, "refused without a reason", body);
        }
        return 0;
    }
    QJsonObject written;
    if (!kind.ReadAndWrite(object, written)) {
        return 0;
    }
    const QByteArray once = CatalogJson::Bytes(written);
    QJsonObject reparsed;
    if (!CatalogJson::Parse(once, reparsed, &error)) {
        Finding(kind.Name, "what we wrote does not parse", once);
    }
    QJsonObject rewritten;
    if (!kind.ReadAndWrite(reparsed, rewritten)) {
        Finding(kind.Name, "what we wrote is refused", once);
    }
    if (CatalogJson::Bytes(rewritten) != once) {
        Finding(kind.Name, "reading back changes the record", once + " -> " + CatalogJson::Bytes(rewritten));
    }
    return 0;
}
