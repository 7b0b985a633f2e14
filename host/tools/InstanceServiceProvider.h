#pragma once

#include "GenericServiceProvider.h"

namespace vela {

// A provider holding its one implementation object by value.
template <class I, class Impl>
class InstanceServiceProvider final : public GenericServiceProvider<I>
{
public:
    explicit InstanceServiceProvider(const Impl& instance)
        : m_instance(instance)
    {
    }

    void* GetInstance() override { return static_cast<I*>(&m_instance); }

private:
    Impl m_instance;
};

} // namespace vela
