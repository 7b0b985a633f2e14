#pragma once

#include "vela_appservice_export.h"

#include <string>

namespace vela {

// Which host product the module runs in; each answers its own operations.
enum class Product
{
    Sorn,
    Lumen,
    Rivo,
};

// Application information: software code and version sent with every request,
// and the product the host is.
class VELA_APPSERVICE_EXPORT AppService
{
public:
    // Null until the host installs its application information.
    static AppService* Get();
    static void Install(AppService* service);

    AppService(std::wstring softwareCode, std::wstring softwareVersion, Product product);
    ~AppService();

    std::wstring GetSoftwareCode() const;
    std::wstring GetSoftwareVersion() const;

    bool IsSorn() const;
    bool IsLumen() const;
    bool IsRivo() const;

    Product GetProduct() const;
    void SetProduct(Product product);

private:
    std::wstring m_softwareCode;
    std::wstring m_softwareVersion;
    Product m_product;
};

} // namespace vela
