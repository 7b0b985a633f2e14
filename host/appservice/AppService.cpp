#include "AppService.h"

#include <atomic>
#include <utility>

namespace vela {

namespace {
std::atomic<AppService*> s_service{nullptr};
} // namespace

AppService* AppService::Get()
{
    return s_service.load();
}

void AppService::Install(AppService* service)
{
    s_service.store(service);
}

AppService::AppService(std::wstring softwareCode, std::wstring softwareVersion, Product product)
    : m_softwareCode(std::move(softwareCode))
    , m_softwareVersion(std::move(softwareVersion))
    , m_product(product)
{
}

AppService::~AppService()
{
    if (Get() == this) {
        Install(nullptr);
    }
}

std::wstring AppService::GetSoftwareCode() const { return m_softwareCode; }
std::wstring AppService::GetSoftwareVersion() const { return m_softwareVersion; }
bool AppService::IsSorn() const { return m_product == Product::Sorn; }
bool AppService::IsLumen() const { return m_product == Product::Lumen; }
bool AppService::IsRivo() const { return m_product == Product::Rivo; }
Product AppService::GetProduct() const { return m_product; }
void AppService::SetProduct(Product product) { m_product = product; }

} // namespace vela
