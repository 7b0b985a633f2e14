#pragma once

#include "ComponentFile.h"

#include <QString>

#include <memory>

namespace vela {

// The outcome of one component file download: the checked file and where it
// was saved, or a message for the user.
struct ComponentDownloadResult
{
    QString LocalPath;
    QString Error;
    std::shared_ptr<const tarn::ComponentFile> File;

    bool Succeeded() const { return Error.isEmpty() && File; }
};

} // namespace vela
