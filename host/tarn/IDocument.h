#pragma once

#include "RuntimeId.h"

#include <string>

namespace tarn {

// An open design document of the host.
class IDocument
{
public:
    virtual RuntimeId GetRuntimeId() const = 0;
    virtual std::wstring GetName() const = 0;
    virtual ~IDocument() = default;
};

} // namespace tarn
