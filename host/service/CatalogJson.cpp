#include "CatalogJson.h"

#include "WideText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

namespace vela {

namespace {

QJsonValue S(const std::wstring& text)
{
    return WideText::ToQString(text);
}

std::wstring Mapped(const CatalogJson::UrlMap& urls, const std::wstring& url)
{
    return urls && !url.empty() ? urls(url) : url;
}

// Reads the fields of one object, remembering the first one that was not
// what it should be; later reads on a failed reader do nothing.
class Reader
{
public:
    Reader(const QJsonObject& object, QString* error, QString where)
        : m_object(object)
        , m_error(error)
        , m_where(std::move(where))
    {
    }

    bool Ok() const { return m_ok; }

    bool Fail(const QString& field, const QString& what)
    {
        if (m_ok && m_error) {
            *m_error = QStringLiteral("%1.%2 %3").arg(m_where, field, what);
        }
        m_ok = false;
        return false;
    }

    void String(const char* field, std::wstring& out)
    {
        const QJsonValue value = m_object.value(QLatin1String(field));
        if (!m_ok || value.isUndefined() || value.isNull()) {
            return;
        }
        if (!value.isString()) {
            Fail(QLatin1String(field), QStringLiteral("must be a string"));
            return;
        }
        out = value.toString().toStdWString();
    }

    void Bool(const char* field, bool& out)
    {
        const QJsonValue value = m_object.value(QLatin1String(field));
        if (!m_ok || value.isUndefined() || value.isNull()) {
            return;
        }
        if (!value.isBool()) {
            Fail(QLatin1String(field), QStringLiteral("must be true or false"));
            return;
        }
        out = value.toBool();
    }

    template <class Int>
    void Integer(const char* field, Int& out)
    {
        const QJsonValue value = m_object.value(QLatin1String(field));
        if (!m_ok || value.isUndefined() || value.isNull()) {
            return;
        }
        const double number = value.toDouble(std::nan(""));
        // Doubles hold integers exactly only up to 2^53.
        const double limit = std::min(double(std::numeric_limits<Int>::max()), 9007199254740992.0);
        if (!value.isDouble() || !std::isfinite(number) || number != std::floor(number) || number > limit
            || number < -limit) {
            Fail(QLatin1String(field), QStringLiteral("must be an integer in range"));
            return;
        }
        out = Int(number);
    }

    // An array field, absent meaning empty; each element must be an object.
    bool Objects(const char* field, QVector<QJsonObject>& out)
    {
        const QJsonValue value = m_object.value(QLatin1String(field));
        if (!m_ok || value.isUndefined() || value.isNull()) {
            return m_ok;
        }
        if (!value.isArray()) {
            return Fail(QLatin1String(field), QStringLiteral("must be an array"));
        }
        for (const QJsonValue& element : value.toArray()) {
            if (!element.isObject()) {
                return Fail(QLatin1String(field), QStringLiteral("must hold only objects"));
            }
            out.append(element.toObject());
        }
        return true;
    }

    bool Strings(const QJsonValue& value, const QString& field, std::vector<std::wstring>& out)
    {
        if (!m_ok || value.isUndefined() || value.isNull()) {
            return m_ok;
        }
        if (!value.isArray()) {
            return Fail(field, QStringLiteral("must be an array"));
        }
        for (const QJsonValue& element : value.toArray()) {
            if (!element.isString()) {
                return Fail(field, QStringLiteral("must hold only strings"));
            }
            out.push_back(element.toString().toStdWString());
        }
        return true;
    }

    QJsonValue Value(const char* field) const { return m_object.value(QLatin1String(field)); }

    QString* ErrorSink() const { return m_ok ? m_error : nullptr; }

    bool Take(bool ok)
    {
        m_ok = m_ok && ok;
        return m_ok;
    }

private:
    const QJsonObject& m_object;
    QString* m_error;
    QString m_where;
    bool m_ok = true;
};

QJsonArray FromConditions(const Conditions& conditions)
{
    QJsonArray array;
    for (const std::shared_ptr<ConditionFilterOption>& condition : conditions) {
        if (!condition) {
            continue;
        }
        array.append(QJsonObject{
            {QStringLiteral("code"), S(condition->Code())},
            {QStringLiteral("name"), S(condition->Name())},
            {QStringLiteral("value"), S(condition->Value())},
            {QStringLiteral("fromValue"), S(condition->FromValue())},
            {QStringLiteral("toValue"), S(condition->ToValue())},
            {QStringLiteral("operator"), condition->Operator},
            {QStringLiteral("valueType"), condition->ValueType},
        });
    }
    return array;
}

bool ToConditions(Reader& reader, Conditions& out, QString* error)
{
    QVector<QJsonObject> objects;
    if (!reader.Objects("conditions", objects)) {
        return false;
    }
    for (const QJsonObject& object : objects) {
        Reader item(object, error, QStringLiteral("conditions[]"));
        std::wstring code, name, value, fromValue, toValue;
        auto condition = std::make_shared<ConditionFilterOption>();
        item.String("code", code);
        item.String("name", name);
        item.String("value", value);
        item.String("fromValue", fromValue);
        item.String("toValue", toValue);
        item.Integer("operator", condition->Operator);
        item.Integer("valueType", condition->ValueType);
        if (!reader.Take(item.Ok())) {
            return false;
        }
        condition->SetCode(code);
        condition->SetName(name);
        condition->SetValue(value);
        condition->SetFromValue(fromValue);
        condition->SetToValue(toValue);
        out.push_back(condition);
    }
    return true;
}

QJsonObject FromSpecificationObject(const ISpecification& specification)
{
    QJsonArray parameters;
    for (const auto& [key, parameter] : specification.Parameters) {
        if (!parameter) {
            continue;
        }
        parameters.append(QJsonObject{
            {QStringLiteral("key"), S(key)},
            {QStringLiteral("name"), S(parameter->Name)},
            {QStringLiteral("value"), S(parameter->Value)},
            {QStringLiteral("unit"), S(parameter->Unit)},
            {QStringLiteral("visible"), parameter->Visible},
        });
    }
    return QJsonObject{
        {QStringLiteral("name"), S(specification.Name)},
        {QStringLiteral("id"), S(specification.Id)},
        {QStringLiteral("parameters"), parameters},
    };
}

bool ToSpecificationObject(const QJsonObject& object, ISpecification& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("specification"));
    reader.String("name", out.Name);
    reader.String("id", out.Id);
    QVector<QJsonObject> parameters;
    reader.Objects("parameters", parameters);
    for (const QJsonObject& item : parameters) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("parameters[]"));
        std::wstring key;
        auto parameter = std::make_shared<IParameter>();
        field.String("key", key);
        field.String("name", parameter->Name);
        field.String("value", parameter->Value);
        field.String("unit", parameter->Unit);
        field.Bool("visible", parameter->Visible);
        if (!reader.Take(field.Ok())) {
            break;
        }
        out.Parameters[key] = parameter;
    }
    return reader.Ok();
}

QJsonArray FromLegendArray(const LegendList& legends, const CatalogJson::UrlMap& urls)
{
    QJsonArray array;
    for (const std::shared_ptr<ILegend>& legend : legends) {
        if (legend) {
            array.append(QJsonObject{{QStringLiteral("name"), S(legend->Name)},
                                     {QStringLiteral("imageUrl"), S(Mapped(urls, legend->ImageUrl))}});
        }
    }
    return array;
}

bool ToLegendArray(Reader& reader, const char* field, LegendList& out)
{
    QVector<QJsonObject> objects;
    reader.Objects(field, objects);
    for (const QJsonObject& object : objects) {
        Reader item(object, reader.ErrorSink(), QStringLiteral("legends[]"));
        auto legend = std::make_shared<ILegend>();
        item.String("name", legend->Name);
        item.String("imageUrl", legend->ImageUrl);
        if (!reader.Take(item.Ok())) {
            break;
        }
        out.push_back(legend);
    }
    return reader.Ok();
}

} // namespace

bool CatalogJson::Parse(const QByteArray& bytes, QJsonObject& out, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error) {
            *error = QStringLiteral("not JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
        }
        return false;
    }
    if (!document.isObject()) {
        if (error) {
            *error = QStringLiteral("not a JSON object");
        }
        return false;
    }
    out = document.object();
    return true;
}

QByteArray CatalogJson::Bytes(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject CatalogJson::FromCategoryQuery(const CategoryQuery& query)
{
    return QJsonObject{{QStringLiteral("keyword"), S(query.Keyword)},
                       {QStringLiteral("conditions"), FromConditions(query.Filters)}};
}

bool CatalogJson::ToCategoryQuery(const QJsonObject& object, CategoryQuery& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("query"));
    reader.String("keyword", out.Keyword);
    return reader.Ok() && ToConditions(reader, out.Filters, error);
}

QJsonObject CatalogJson::FromComponentQuery(const ComponentQuery& query)
{
    return QJsonObject{
        {QStringLiteral("categoryCode"), S(query.CategoryCode)},
        {QStringLiteral("keyword"), S(query.Keyword)},
        {QStringLiteral("pageIndex"), query.PageIndex},
        {QStringLiteral("pageSize"), query.PageSize},
        {QStringLiteral("sortMode"), query.SortMode},
        {QStringLiteral("conditions"), FromConditions(query.Filters)},
    };
}

bool CatalogJson::ToComponentQuery(const QJsonObject& object, ComponentQuery& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("query"));
    reader.String("categoryCode", out.CategoryCode);
    reader.String("keyword", out.Keyword);
    reader.Integer("pageIndex", out.PageIndex);
    reader.Integer("pageSize", out.PageSize);
    reader.Integer("sortMode", out.SortMode);
    return reader.Ok() && ToConditions(reader, out.Filters, error);
}

QJsonObject CatalogJson::FromCategories(const CategoryList& categories)
{
    QJsonArray array;
    for (const std::shared_ptr<ICategory>& category : categories) {
        if (!category) {
            continue;
        }
        array.append(QJsonObject{
            {QStringLiteral("name"), S(category->Name)},
            {QStringLiteral("code"), S(category->Code)},
            {QStringLiteral("parentCode"), S(category->ParentCode)},
            {QStringLiteral("leaf"), category->Leaf},
            {QStringLiteral("hasMatches"), category->HasMatches},
        });
    }
    return QJsonObject{{QStringLiteral("categories"), array}};
}

bool CatalogJson::ToCategories(const QJsonObject& object, CategoryList& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    QVector<QJsonObject> objects;
    reader.Objects("categories", objects);
    for (const QJsonObject& item : objects) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("categories[]"));
        auto category = std::make_shared<ICategory>();
        field.String("name", category->Name);
        field.String("code", category->Code);
        field.String("parentCode", category->ParentCode);
        field.Bool("leaf", category->Leaf);
        field.Bool("hasMatches", category->HasMatches);
        if (!reader.Take(field.Ok())) {
            break;
        }
        out.push_back(category);
    }
    return reader.Ok();
}

QJsonObject CatalogJson::FromComponentPage(const ComponentPage& page, const UrlMap& urls)
{
    QJsonArray array;
    if (page) {
        for (const std::shared_ptr<IComponent>& component : page->Data) {
            if (!component) {
                continue;
            }
            array.append(QJsonObject{
                {QStringLiteral("id"), S(component->Id)},
                {QStringLiteral("name"), S(component->Name)},
                {QStringLiteral("categoryCode"), S(component->CategoryCode)},
                {QStringLiteral("thumbnailUrl"), S(Mapped(urls, component->ThumbnailUrl))},
                {QStringLiteral("shopId"), S(component->ShopId)},
            });
        }
    }
    return QJsonObject{{QStringLiteral("total"), double(page ? page->Total : 0)},
                       {QStringLiteral("components"), array}};
}

bool CatalogJson::ToComponentPage(const QJsonObject& object, ComponentPage& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    auto page = std::make_shared<IPagedData<ComponentList>>();
    reader.Integer("total", page->Total);
    if (reader.Ok() && page->Total < 0) {
        reader.Fail(QStringLiteral("total"), QStringLiteral("must not be negative"));
    }
    QVector<QJsonObject> objects;
    reader.Objects("components", objects);
    for (const QJsonObject& item : objects) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("components[]"));
        auto component = std::make_shared<IComponent>();
        field.String("id", component->Id);
        field.String("name", component->Name);
        field.String("categoryCode", component->CategoryCode);
        field.String("thumbnailUrl", component->ThumbnailUrl);
        field.String("shopId", component->ShopId);
        if (!reader.Take(field.Ok())) {
            break;
        }
        page->Data.push_back(component);
    }
    if (!reader.Ok()) {
        return false;
    }
    out = page;
    return true;
}

QJsonObject CatalogJson::FromDetailedComponent(const std::shared_ptr<IDetailedPublicComponent>& detail,
                                               const UrlMap& urls)
{
    if (!detail) {
        return {};
    }
    QJsonArray path;
    for (const std::wstring& name : detail->CategoryPath) {
        path.append(S(name));
    }
    QJsonArray thumbnails;
    for (const auto& [size, list] : detail->Thumbnails) {
        QJsonArray images;
        for (const std::wstring& url : list) {
            images.append(S(Mapped(urls, url)));
        }
        thumbnails.append(QJsonObject{{QStringLiteral("size"), S(size)}, {QStringLiteral("urls"), images}});
    }
    QJsonArray specifications;
    for (const std::shared_ptr<ISpecification>& specification : detail->Specifications) {
        if (specification) {
            specifications.append(FromSpecificationObject(*specification));
        }
    }
    return QJsonObject{
        {QStringLiteral("id"), S(detail->Id)},
        {QStringLiteral("name"), S(detail->Name)},
        {QStringLiteral("shopId"), S(detail->ShopId)},
        {QStringLiteral("categoryPath"), path},
        {QStringLiteral("thumbnails"), thumbnails},
        {QStringLiteral("legends"), FromLegendArray(detail->Legends, urls)},
        {QStringLiteral("specifications"), specifications},
    };
}

bool CatalogJson::ToDetailedComponent(const QJsonObject& object, std::shared_ptr<IDetailedPublicComponent>& out,
                                      QString* error)
{
    Reader reader(object, error, QStringLiteral("component"));
    auto detail = std::make_shared<IDetailedPublicComponent>();
    reader.String("id", detail->Id);
    reader.String("name", detail->Name);
    reader.String("shopId", detail->ShopId);
    reader.Strings(reader.Value("categoryPath"), QStringLiteral("categoryPath"), detail->CategoryPath);
    QVector<QJsonObject> thumbnails;
    reader.Objects("thumbnails", thumbnails);
    for (const QJsonObject& item : thumbnails) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("thumbnails[]"));
        std::wstring size;
        field.String("size", size);
        std::vector<std::wstring> urls;
        field.Strings(field.Value("urls"), QStringLiteral("urls"), urls);
        if (!reader.Take(field.Ok())) {
            break;
        }
        detail->Thumbnails[size] = urls;
    }
    ToLegendArray(reader, "legends", detail->Legends);
    QVector<QJsonObject> specifications;
    reader.Objects("specifications", specifications);
    for (const QJsonObject& item : specifications) {
        auto specification = std::make_shared<ISpecification>();
        if (!reader.Take(ToSpecificationObject(item, *specification, reader.ErrorSink()))) {
            break;
        }
        detail->Specifications.push_back(specification);
    }
    if (!reader.Ok()) {
        return false;
    }
    out = detail;
    return true;
}

QJsonObject CatalogJson::FromLegends(const LegendList& legends, const UrlMap& urls)
{
    return QJsonObject{{QStringLiteral("legends"), FromLegendArray(legends, urls)}};
}

bool CatalogJson::ToLegends(const QJsonObject& object, LegendList& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    LegendList legends;
    if (!ToLegendArray(reader, "legends", legends)) {
        return false;
    }
    out = std::move(legends);
    return true;
}

QJsonObject CatalogJson::FromSpecification(const std::shared_ptr<ISpecification>& specification)
{
    return specification ? FromSpecificationObject(*specification) : QJsonObject();
}

bool CatalogJson::ToSpecification(const QJsonObject& object, std::shared_ptr<ISpecification>& out, QString* error)
{
    auto specification = std::make_shared<ISpecification>();
    if (!ToSpecificationObject(object, *specification, error)) {
        return false;
    }
    out = specification;
    return true;
}

QJsonObject CatalogJson::FromCategoryProperty(const std::shared_ptr<ICategoryProperty>& property)
{
    QJsonArray properties;
    if (property) {
        for (const auto& [key, definition] : property->Properties) {
            if (!definition) {
                continue;
            }
            QJsonArray values;
            for (const auto& [value, text] : definition->Values) {
                values.append(QJsonObject{{QStringLiteral("value"), S(value)}, {QStringLiteral("text"), S(text)}});
            }
            properties.append(QJsonObject{
                {QStringLiteral("key"), S(key)},
                {QStringLiteral("code"), S(definition->Code)},
                {QStringLiteral("name"), S(definition->Name)},
                {QStringLiteral("unit"), S(definition->Unit)},
                {QStringLiteral("type"), S(definition->Type)},
                {QStringLiteral("values"), values},
            });
        }
    }
    return QJsonObject{{QStringLiteral("properties"), properties}};
}

bool CatalogJson::ToCategoryProperty(const QJsonObject& object, std::shared_ptr<ICategoryProperty>& out,
                                     QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    auto property = std::make_shared<ICategoryProperty>();
    QVector<QJsonObject> properties;
    reader.Objects("properties", properties);
    for (const QJsonObject& item : properties) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("properties[]"));
        std::wstring key;
        auto definition = std::make_shared<CategoryPropertyDefinition>();
        field.String("key", key);
        field.String("code", definition->Code);
        field.String("name", definition->Name);
        field.String("unit", definition->Unit);
        field.String("type", definition->Type);
        QVector<QJsonObject> values;
        field.Objects("values", values);
        for (const QJsonObject& entry : values) {
            Reader pair(entry, field.ErrorSink(), QStringLiteral("values[]"));
            std::wstring value, text;
            pair.String("value", value);
            pair.String("text", text);
            if (!field.Take(pair.Ok())) {
                break;
            }
            definition->Values[value] = text;
        }
        if (!reader.Take(field.Ok())) {
            break;
        }
        property->Properties[key] = definition;
    }
    if (!reader.Ok()) {
        return false;
    }
    out = property;
    return true;
}

QJsonObject CatalogJson::FromFileUrl(const std::wstring& url, const UrlMap& urls)
{
    return QJsonObject{{QStringLiteral("url"), S(Mapped(urls, url))}};
}

bool CatalogJson::ToFileUrl(const QJsonObject& object, std::wstring& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    std::wstring url;
    reader.String("url", url);
    if (reader.Ok() && url.empty()) {
        reader.Fail(QStringLiteral("url"), QStringLiteral("is missing"));
    }
    if (!reader.Ok()) {
        return false;
    }
    out = url;
    return true;
}

QJsonObject CatalogJson::FromProjectRequest(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                            const std::wstring& requestKey)
{
    QJsonArray array;
    for (const std::wstring& id : ids) {
        array.append(S(id));
    }
    QJsonObject object{{QStringLiteral("projectId"), S(projectId)}, {QStringLiteral("ids"), array}};
    if (!requestKey.empty()) {
        object.insert(QStringLiteral("requestKey"), S(requestKey));
    }
    return object;
}

bool CatalogJson::ToProjectRequest(const QJsonObject& object, std::wstring& projectId, std::vector<std::wstring>& ids,
                                   QString* error, std::wstring* requestKey)
{
    Reader reader(object, error, QStringLiteral("request"));
    reader.String("projectId", projectId);
    reader.Strings(reader.Value("ids"), QStringLiteral("ids"), ids);
    std::wstring key;
    reader.String("requestKey", key);
    if (reader.Ok() && projectId.empty()) {
        reader.Fail(QStringLiteral("projectId"), QStringLiteral("is missing"));
    }
    // A key names one addition; anything longer than a UUID or two is not one.
    if (reader.Ok() && key.size() > 100) {
        reader.Fail(QStringLiteral("requestKey"), QStringLiteral("is longer than 100 characters"));
    }
    if (requestKey) {
        *requestKey = key;
    }
    return reader.Ok();
}

QJsonObject CatalogJson::FromRepeatChecks(const RepeatCheckList& checks)
{
    QJsonArray array;
    for (const std::shared_ptr<PublicComponentRepeatCheck>& check : checks) {
        if (check) {
            array.append(QJsonObject{{QStringLiteral("publicComponentId"), S(check->PublicComponentId())},
                                     {QStringLiteral("existedInProject"), check->IsExistedInProject()}});
        }
    }
    return QJsonObject{{QStringLiteral("repeats"), array}};
}

bool CatalogJson::ToRepeatChecks(const QJsonObject& object, RepeatCheckList& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    QVector<QJsonObject> objects;
    reader.Objects("repeats", objects);
    for (const QJsonObject& item : objects) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("repeats[]"));
        std::wstring id;
        bool existed = false;
        field.String("publicComponentId", id);
        field.Bool("existedInProject", existed);
        if (!reader.Take(field.Ok())) {
            break;
        }
        out.push_back(std::make_shared<PublicComponentRepeatCheck>(id, existed));
    }
    return reader.Ok();
}

QJsonObject CatalogJson::FromProjectComponents(const ProjectComponentList& components)
{
    QJsonArray array;
    for (const std::shared_ptr<IProjectComponent>& component : components) {
        if (component) {
            array.append(QJsonObject{
                {QStringLiteral("id"), S(component->Id)},
                {QStringLiteral("name"), S(component->Name)},
                {QStringLiteral("categoryCode"), S(component->CategoryCode)},
                {QStringLiteral("version"), component->Version},
                {QStringLiteral("publicComponentId"), S(component->PublicComponentId)},
            });
        }
    }
    return QJsonObject{{QStringLiteral("components"), array}};
}

bool CatalogJson::ToProjectComponents(const QJsonObject& object, ProjectComponentList& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    QVector<QJsonObject> objects;
    reader.Objects("components", objects);
    for (const QJsonObject& item : objects) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("components[]"));
        auto component = std::make_shared<IProjectComponent>();
        field.String("id", component->Id);
        field.String("name", component->Name);
        field.String("categoryCode", component->CategoryCode);
        field.Integer("version", component->Version);
        field.String("publicComponentId", component->PublicComponentId);
        if (field.Ok() && component->Id.empty()) {
            field.Fail(QStringLiteral("id"), QStringLiteral("is missing"));
        }
        if (!reader.Take(field.Ok())) {
            break;
        }
        out.push_back(component);
    }
    return reader.Ok();
}

QJsonObject CatalogJson::FromProjects(const ProjectList& projects)
{
    QJsonArray array;
    for (const ProjectSummary& project : projects) {
        array.append(QJsonObject{{QStringLiteral("id"), S(project.Id)}, {QStringLiteral("name"), S(project.Name)}});
    }
    return QJsonObject{{QStringLiteral("projects"), array}};
}

bool CatalogJson::ToProjects(const QJsonObject& object, ProjectList& out, QString* error)
{
    Reader reader(object, error, QStringLiteral("answer"));
    QVector<QJsonObject> objects;
    reader.Objects("projects", objects);
    for (const QJsonObject& item : objects) {
        Reader field(item, reader.ErrorSink(), QStringLiteral("projects[]"));
        ProjectSummary project;
        field.String("id", project.Id);
        field.String("name", project.Name);
        if (!reader.Take(field.Ok())) {
            break;
        }
        out.push_back(project);
    }
    return reader.Ok();
}

QJsonObject CatalogJson::FromError(const QString& code, const QString& message)
{
    return QJsonObject{{QStringLiteral("error"),
                        QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}}}};
}

QString CatalogJson::ErrorMessage(const QJsonObject& object)
{
    return object.value(QStringLiteral("error")).toObject().value(QStringLiteral("message")).toString();
}

} // namespace vela
