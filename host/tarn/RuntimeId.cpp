#include "RuntimeId.h"

#include <atomic>

namespace tarn {

const RuntimeId RuntimeId::InvalidID{};

RuntimeId RuntimeId::Next()
{
    static std::atomic<int64_t> s_next{1};
    return RuntimeId(s_next++);
}

} // namespace tarn
