// Keyword and condition handling of the embedded catalog, end to end: decoded
// queries go through a SqliteCatalogBackend on a small catalog built at start.
//
// Input (see FuzzInput), one record per line:
//   keyword <TAB> category code <TAB> page index <TAB> page size
//   code <TAB> value type <TAB> operator <TAB> value <TAB> from <TAB> to    (a condition; up to 8)
// An empty condition line stands for a null condition.
//
// Any answer is fine, an error included, as long as it is well formed; a crash,
// a sanitizer finding or a query that never answers is not.
#include "CatalogWriter.h"
#include "FuzzInput.h"
#include "SqliteCatalogBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>

namespace {

constexpr int MaximumConditions = 8;
constexpr size_t CategoryCount = 6;
constexpr int64_t ComponentCount = 9;

[[noreturn]] void Finding(const char* what)
{
    std::fprintf(stderr, "catalog_query_fuzzer: %s\n", what);
    std::abort();
}

// Names with the characters a keyword match may trip over: SQL and LIKE
// wildcards, quotes, a backslash, letters that change length when folded,
// characters outside the BMP.
bool BuildCatalog(const QString& folder, QString* error)
{
    vela::CatalogWriter writer(folder + QStringLiteral("/catalog.sqlite"));
    if (!writer.Open(error)) {
        return false;
    }
    writer.AddProperty({QStringLiteral("material"), QStringLiteral("材质"), QString(), QStringLiteral("Enum"),
                        {{QStringLiteral("wood"), QStringLiteral("木质")}, {QStringLiteral("steel"), QStringLiteral("钢质")}}});
    writer.AddProperty({QStringLiteral("width"), QStringLiteral("宽度"), QStringLiteral("mm"), QStringLiteral("Number"), {}});
    writer.AddProperty({QStringLiteral("leaves"), QStringLiteral("扇数"), QString(), QStringLiteral("Int"), {}});
    writer.AddProperty({QStringLiteral("fire"), QStringLiteral("防火"), QString(), QStringLiteral("Logic"), {}});
    writer.AddProperty({QStringLiteral("colour"), QStringLiteral("颜色"), QString(), QStringLiteral("Color"), {}});
    const QStringList doorProperties{QStringLiteral("material"), QStringLiteral("width"), QStringLiteral("leaves"),
                                     QStringLiteral("fire"), QStringLiteral("colour")};
    writer.AddCategory({QStringLiteral("ROOT"), QString(), QStringLiteral("全部构件"), false, {}});
    writer.AddCategory({QStringLiteral("ARCH"), QStringLiteral("ROOT"), QStringLiteral("建筑"), false, {}});
    writer.AddCategory({QStringLiteral("DOOR"), QStringLiteral("ARCH"), QStringLiteral("门"), true, doorProperties});
    writer.AddCategory({QStringLiteral("WIN"), QStringLiteral("ARCH"), QStringLiteral("窗"), true, {}});
    writer.AddCategory({QStringLiteral("MEP"), QStringLiteral("ROOT"), QStringLiteral("机电"), false, {}});
    writer.AddCategory({QStringLiteral("EMPTY"), QStringLiteral("MEP"), QStringLiteral("空分类"), true, {}});

    struct Row
    {
        const char* Id;
        QString Name;
        const char* Category;
        QVector<QPair<QString, QString>> Values;
    };
    const auto v = [](const char* code, const char* value) {
        return qMakePair(QString::fromLatin1(code), QString::fromLatin1(value));
    };
    const QVector<Row> rows = {
        {"D1", QStringLiteral("木质单扇平开门 M0921"), "DOOR",
         {v("material", "wood"), v("width", "900"), v("leaves", "1"), v("fire", "0"), v("colour", "red")}},
        {"D2", QStringLiteral("钢质双扇防火门 FM1521"), "DOOR",
         {v("material", "steel"), v("width", "1500"), v("leaves", "2"), v("fire", "1")}},
        {"D3", QStringLiteral("防盗门 \"安全\"型 'A' 100%_x"), "DOOR", {v("material", "steel"), v("width", "960")}},
        {"D4", QStringLiteral("Straße STRASSE ǅ İi"), "DOOR", {}},
        {"W1", QStringLiteral("铝合金推拉窗 TC1515"), "WIN", {}},
        {"W2", QStringLiteral("球阀 Q41F\\DN50 [a-z]*?"), "WIN", {}},
        {"W3", QStringLiteral("𠀀𝔸 emoji 🚪 door"), "WIN", {}},
        {"W4", QStringLiteral(" \t"), "WIN", {}},
        {"", QString(), "WIN", {}},
    };
    for (const Row& row : rows) {
        vela::CatalogWriter::Component component;
        component.Id = QString::fromLatin1(row.Id);
        component.Name = row.Name;
        component.CategoryCode = QString::fromLatin1(row.Category);
        component.Values = row.Values;
        if (!writer.AddComponent(component)) {
            *error = writer.LastError();
            return false;
        }
    }
    return writer.Finish(error);
}

struct Fixture
{
    QTemporaryDir Folder;
    vela::SqliteCatalogBackend* Backend = nullptr;
};

Fixture& Catalog()
{
    // Built once and kept for the whole run: the backend's worker threads and
    // their connections are what a real session reuses too.
    static Fixture fixture;
    if (!fixture.Backend) {
        QString error;
        if (!fixture.Folder.isValid() || !BuildCatalog(fixture.Folder.path(), &error)) {
            std::fprintf(stderr, "cannot build the catalog: %s\n", error.toUtf8().constData());
            std::exit(2);
        }
        fixture.Backend = new vela::SqliteCatalogBackend(fixture.Folder.path());
    }
    return fixture;
}

int32_t Number(const std::vector<std::wstring>& fields, size_t index, int32_t fallback)
{
    bool ok = false;
    const int32_t value = index < fields.size() ? QString::fromStdWString(fields[index]).toInt(&ok) : 0;
    return ok ? value : fallback;
}

std::wstring Field(const std::vector<std::wstring>& fields, size_t index)
{
    return index < fields.size() ? fields[index] : std::wstring();
}

template <class T, class Ask>
std::pair<std::wstring, T> Await(Ask ask)
{
    std::promise<std::pair<std::wstring, T>> answer;
    std::future<std::pair<std::wstring, T>> future = answer.get_future();
    ask([&answer](std::wstring error, T result) { answer.set_value({std::move(error), std::move(result)}); });
    return future.get();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt SQL loads its driver plug-in only with an application object.
    new QCoreApplication(*argc, *argv);
    Catalog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    std::vector<std::wstring> fields;
    if (!input.NextRecord(fields)) {
        return 0;
    }
    vela::ComponentQuery components;
    components.Keyword = Field(fields, 0);
    components.CategoryCode = Field(fields, 1);
    components.PageIndex = Number(fields, 2, 1);
    components.PageSize = Number(fields, 3, 20);

    for (int i = 0; i < MaximumConditions && input.NextRecord(fields); ++i) {
        if (fields.size() == 1 && fields[0].empty()) {
            components.Filters.push_back(nullptr);
            continue;
        }
        auto condition = std::make_shared<vela::ConditionFilterOption>();
        condition->SetCode(Field(fields, 0));
        condition->ValueType = Number(fields, 1, 0);
        condition->Operator = Number(fields, 2, 0);
        condition->SetValue(Field(fields, 3));
        condition->SetFromValue(Field(fields, 4));
        condition->SetToValue(Field(fields, 5));
        components.Filters.push_back(condition);
    }

    vela::SqliteCatalogBackend& backend = *Catalog().Backend;
    const auto page = Await<vela::ComponentPage>(
        [&](vela::CatalogBackend::Done<vela::ComponentPage> done) { backend.GetComponents(components, done); });
    if (page.first.empty()) {
        if (!page.second) {
            Finding("components answered without an error and without a page");
        }
        const auto shown = int64_t(page.second->Data.size());
        if (page.second->Total < shown || page.second->Total > ComponentCount
            || shown > std::max<int64_t>(0, components.PageSize)) {
            Finding("a page holds more than its size or its total");
        }
        for (const auto& component : page.second->Data) {
            if (!component) {
                Finding("a null component in a page");
            }
        }
    }

    const vela::CategoryQuery categories{components.Keyword, components.Filters};
    const auto tree = Await<vela::CategoryList>(
        [&](vela::CatalogBackend::Done<vela::CategoryList> done) { backend.GetCategories(categories, done); });
    if (tree.first.empty() && tree.second.size() != CategoryCount) {
        Finding("the category tree changed shape under a query");
    }
    return 0;
}
