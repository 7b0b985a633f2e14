#pragma once

#include "vela_workflow_export.h"

#include <string>
#include <vector>

namespace vela {

// One component of a batch that failed: which one, a few words on why, and the full message.
struct VELA_WORKFLOW_EXPORT WorkflowFailure
{
    int Index = -1;
    std::wstring ComponentId;
    std::wstring ComponentName;
    // A few words for a list of failures ("下载失败", "文件已损坏", ...).
    std::wstring Reason;
    // The full message, for the log.
    std::wstring Message;

    // The component's name, else its id, else its place in the batch.
    std::wstring DisplayName() const;

    // "name：reason" lines, at most `limit` of them, then "… 等 N 个" with N the whole count.
    static std::wstring ListText(const std::vector<WorkflowFailure>& failures, int limit = 10);
    // The short reason for a message of ComponentFileLoader: a cancelled question and a
    // closed document have their own, everything else is a failed load.
    static std::wstring LoadReason(const std::wstring& loaderError);
};

} // namespace vela
