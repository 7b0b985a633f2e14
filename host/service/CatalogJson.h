#pragma once

#include "CatalogBackend.h"
#include "vela_service_export.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <string>

namespace vela {

// The JSON form of the catalog requests and answers, shared by the catalog
// server and HttpCatalogBackend so that the two sides cannot drift apart.
// Readers take whatever arrives over the network: a field of the wrong type
// makes the whole record unreadable (false, with the reason in `error`), a
// missing optional field keeps its default. Every record is one JSON object.
class VELA_SERVICE_EXPORT CatalogJson
{
public:
    // Applied to every URL a record carries while it is written (the server
    // turns catalog file URLs into its own).
    using UrlMap = std::function<std::wstring(const std::wstring&)>;

    // One JSON object from bytes; false with the reason for anything else.
    static bool Parse(const QByteArray& bytes, QJsonObject& out, QString* error);
    static QByteArray Bytes(const QJsonObject& object);

    static QJsonObject FromCategoryQuery(const CategoryQuery& query);
    static bool ToCategoryQuery(const QJsonObject& object, CategoryQuery& out, QString* error);
    static QJsonObject FromComponentQuery(const ComponentQuery& query);
    static bool ToComponentQuery(const QJsonObject& object, ComponentQuery& out, QString* error);

    static QJsonObject FromCategories(const CategoryList& categories);
    static bool ToCategories(const QJsonObject& object, CategoryList& out, QString* error);
    static QJsonObject FromComponentPage(const ComponentPage& page, const UrlMap& urls = {});
    static bool ToComponentPage(const QJsonObject& object, ComponentPage& out, QString* error);
    static QJsonObject FromDetailedComponent(const std::shared_ptr<IDetailedPublicComponent>& detail,
                                             const UrlMap& urls = {});
    static bool ToDetailedComponent(const QJsonObject& object, std::shared_ptr<IDetailedPublicComponent>& out,
                                    QString* error);
    static QJsonObject FromLegends(const LegendList& legends, const UrlMap& urls = {});
    static bool ToLegends(const QJsonObject& object, LegendList& out, QString* error);
    static QJsonObject FromSpecification(const std::shared_ptr<ISpecification>& specification);
    static bool ToSpecification(const QJsonObject& object, std::shared_ptr<ISpecification>& out, QString* error);
    static QJsonObject FromCategoryProperty(const std::shared_ptr<ICategoryProperty>& property);
    static bool ToCategoryProperty(const QJsonObject& object, std::shared_ptr<ICategoryProperty>& out,
                                   QString* error);
    static QJsonObject FromFileUrl(const std::wstring& url, const UrlMap& urls = {});
    static bool ToFileUrl(const QJsonObject& object, std::wstring& out, QString* error);

    // Project requests name a project and public components: {"projectId", "ids"},
    // and an addition may carry the key its sender made for it ("requestKey").
    static QJsonObject FromProjectRequest(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                          const std::wstring& requestKey = {});
    static bool ToProjectRequest(const QJsonObject& object, std::wstring& projectId, std::vector<std::wstring>& ids,
                                 QString* error, std::wstring* requestKey = nullptr);
    static QJsonObject FromRepeatChecks(const RepeatCheckList& checks);
    static bool ToRepeatChecks(const QJsonObject& object, RepeatCheckList& out, QString* error);
    static QJsonObject FromProjectComponents(const ProjectComponentList& components);
    static bool ToProjectComponents(const QJsonObject& object, ProjectComponentList& out, QString* error);
    static QJsonObject FromProjects(const ProjectList& projects);
    static bool ToProjects(const QJsonObject& object, ProjectList& out, QString* error);

    // {"error": {"code": ..., "message": ...}}; the message is for people.
    static QJsonObject FromError(const QString& code, const QString& message);
    // The message of an error answer, empty when `object` is not one.
    static QString ErrorMessage(const QJsonObject& object);
};

} // namespace vela
