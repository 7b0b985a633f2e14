#pragma once

#include <cstdint>

namespace vela {

// One page of a larger result.
template <class T>
struct IPagedData
{
    T Data{};
    // Number of matches over all pages.
    int64_t Total = 0;
};

} // namespace vela
