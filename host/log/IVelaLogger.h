#pragma once

#include "VelaLogObject.h"
#include "vela_log_export.h"

namespace vela {

// The host's logger. Get() is null until the host installs one.
class VELA_LOG_EXPORT IVelaLogger
{
public:
    virtual void Trace(VelaLogObject& object) = 0;
    virtual void Error(VelaLogObject& object) = 0;
    virtual void Warning(VelaLogObject& object) = 0;
    virtual void Info(VelaLogObject& object) = 0;
    virtual ~IVelaLogger() = default;

    static IVelaLogger* Get();
    // Makes `logger` the process logger (null removes it); the caller keeps ownership.
    static void Install(IVelaLogger* logger);
};

} // namespace vela
