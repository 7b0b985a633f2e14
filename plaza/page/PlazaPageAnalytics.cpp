#include "PlazaPageAnalytics.h"

#include "ICategory.h"
#include "PlazaAnalyzeService.h"
#include "PublicCategoryService.h"

#include <QJsonObject>
#include <QStringList>

#include <functional>

namespace vela {

namespace {

QString Text(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

ICategory* CategoryOf(const std::wstring& code)
{
    return PublicCategoryService::Get()->GetCategoryByCode(code);
}

// One value per component, in list order, joined with ",".
QString Joined(const std::vector<IComponent>& components, const std::function<QString(const IComponent&)>& value)
{
    QStringList values;
    for (const IComponent& component : components) {
        values.append(value(component));
    }
    return values.join(QLatin1Char(','));
}

// The keys shared by the load, place and add events.
QJsonObject ComponentPayload(const std::vector<IComponent>& components, const std::wstring& projectId,
                             const std::wstring& projectName)
{
    QJsonObject payload;
    payload.insert(QStringLiteral("k_c_component_id"),
                   Joined(components, [](const IComponent& c) { return Text(c.Id); }));
    payload.insert(QStringLiteral("k_c_component_name"),
                   Joined(components, [](const IComponent& c) { return Text(c.Name); }));
    payload.insert(QStringLiteral("k_c_category_id"), QString());
    payload.insert(QStringLiteral("k_c_category_code"), Joined(components, [](const IComponent& c) {
                       const ICategory* category = CategoryOf(c.CategoryCode);
                       return category ? Text(category->Code) : QString();
                   }));
    payload.insert(QStringLiteral("k_c_category_name"), Joined(components, [](const IComponent& c) {
                       const ICategory* category = CategoryOf(c.CategoryCode);
                       return category ? Text(category->Name) : QString();
                   }));
    payload.insert(QStringLiteral("k_c_project_id"), Text(projectId));
    payload.insert(QStringLiteral("k_c_project_name"), Text(projectName));
    return payload;
}

void Track(const wchar_t* eventName, const QJsonObject& payload)
{
    if (PlazaAnalyzeService* analytics = PlazaAnalyzeService::Get()) {
        analytics->Track(eventName, payload);
    }
}

} // namespace

void PlazaPageAnalytics::TrackQuery(const std::wstring& keyword, const std::wstring& categoryCode,
                                    int64_t resultCount, const QString& displayType)
{
    const ICategory* category = CategoryOf(categoryCode);
    QJsonObject payload;
    payload.insert(QStringLiteral("k_c_keyword"), Text(keyword));
    payload.insert(QStringLiteral("k_c_category_id"), QString());
    payload.insert(QStringLiteral("k_c_category_code"), category ? Text(category->Code) : QString());
    payload.insert(QStringLiteral("k_c_category_name"), category ? Text(category->Name) : QString());
    payload.insert(QStringLiteral("k_c_result_count"), static_cast<qint64>(resultCount));
    payload.insert(QStringLiteral("k_c_display_type"), displayType);
    payload.insert(QStringLiteral("k_c_non_filter_condition"), QString());
    Track(L"shopComponentQuery", payload);
}

void PlazaPageAnalytics::TrackDetailVisit(const IDetailedPublicComponent& component)
{
    QJsonObject payload;
    payload.insert(QStringLiteral("k_c_component_id"), Text(component.Id));
    payload.insert(QStringLiteral("k_c_component_name"), Text(component.Name));
    payload.insert(QStringLiteral("k_c_shop_id"), Text(component.ShopId));
    payload.insert(QStringLiteral("k_c_shop_name"), QString());
    Track(L"visitShopComponentDetail", payload);
}

void PlazaPageAnalytics::TrackLoad(const std::vector<IComponent>& components, const std::wstring& documentName,
                                   bool batch)
{
    QJsonObject payload = ComponentPayload(components, std::wstring(), documentName);
    payload.insert(QStringLiteral("k_c_batch"), batch);
    Track(L"shopComponentLoad", payload);
}

void PlazaPageAnalytics::TrackPlace(const IComponent& component, const std::wstring& documentName)
{
    Track(L"shopComponentPlace", ComponentPayload({component}, std::wstring(), documentName));
}

void PlazaPageAnalytics::TrackAddIntoProject(const std::vector<IComponent>& components,
                                             const std::wstring& projectId, const std::wstring& projectName,
                                             bool batch)
{
    QJsonObject payload = ComponentPayload(components, projectId, projectName);
    payload.insert(QStringLiteral("k_c_shop_id"), Joined(components, [](const IComponent& c) { return Text(c.ShopId); }));
    payload.insert(QStringLiteral("k_c_shop_name"), Joined(components, [](const IComponent&) { return QString(); }));
    payload.insert(QStringLiteral("k_c_batch"), batch);
    Track(L"shopComponentLoad", payload);
}

} // namespace vela
