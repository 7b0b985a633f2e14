#include "CatalogBackend.h"

#include <QCoreApplication>

#include <mutex>

namespace vela {

namespace {
// Texts a person may read, in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::CatalogBackend)
};

std::mutex s_mutex;
std::shared_ptr<CatalogBackend> s_backend;
} // namespace

std::shared_ptr<CatalogBackend> CatalogBackend::Current()
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return s_backend;
}

void CatalogBackend::Install(std::shared_ptr<CatalogBackend> backend)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_backend = std::move(backend);
}

void CatalogBackend::AddComponentFromPublicOnce(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                                const std::wstring&, Done<ProjectComponentList> done)
{
    AddComponentFromPublic(projectId, ids, std::move(done));
}

void CatalogBackend::GetProjectComponents(const std::wstring&, Done<ProjectComponentList> done)
{
    done(Texts::tr("构件库不支持协同项目").toStdWString(), {});
}

void CatalogBackend::GetProjects(Done<ProjectList> done)
{
    done(Texts::tr("构件库不支持协同项目").toStdWString(), {});
}

} // namespace vela
