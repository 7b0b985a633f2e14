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
    // A few words naming the kind of failure for lists of failed components
    // ("下载失败", "下载超时", "文件已损坏", "磁盘空间不足", ...); empty on success.
    QString Reason;
    std::shared_ptr<const tarn::ComponentFile> File;
    // The cached copy was kept because the server said the file had not changed.
    bool Reused = false;

    bool Succeeded() const { return Error.isEmpty() && File; }
};

} // namespace vela
