#pragma once

#include "ILegend.h"
#include "ISpecification.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vela {

// Everything the detail panel shows of one public component.
struct IDetailedPublicComponent
{
    std::wstring Id;
    std::wstring Name;
    std::wstring ShopId;
    // Category names from the root down.
    std::vector<std::wstring> CategoryPath;
    // Image URLs by size key ("256", "64", ...).
    std::map<std::wstring, std::vector<std::wstring>> Thumbnails;
    std::vector<std::shared_ptr<ILegend>> Legends;
    std::vector<std::shared_ptr<ISpecification>> Specifications;
};

} // namespace vela
