#include "WorkflowFailure.h"

#include <QCoreApplication>

#include <algorithm>

namespace vela {

namespace {

std::wstring Tr(const char* text)
{
    return QCoreApplication::translate("WorkflowFailure", text).toStdWString();
}

} // namespace

std::wstring WorkflowFailure::DisplayName() const
{
    if (!ComponentName.empty()) {
        return ComponentName;
    }
    if (!ComponentId.empty()) {
        return ComponentId;
    }
    return QCoreApplication::translate("WorkflowFailure", "第%1个构件").arg(Index + 1).toStdWString();
}

std::wstring WorkflowFailure::ListText(const std::vector<WorkflowFailure>& failures, int limit)
{
    std::wstring text;
    const size_t shown = limit < 0 ? 0 : std::min(failures.size(), static_cast<size_t>(limit));
    for (size_t i = 0; i < shown; ++i) {
        if (!text.empty()) {
            text += L'\n';
        }
        const std::wstring reason =
            failures[i].Reason.empty() ? Tr(QT_TRANSLATE_NOOP("WorkflowFailure", "载入失败")) : failures[i].Reason;
        text += QCoreApplication::translate("WorkflowFailure", "%1：%2")
                    .arg(QString::fromStdWString(failures[i].DisplayName()), QString::fromStdWString(reason))
                    .toStdWString();
    }
    if (shown < failures.size()) {
        if (!text.empty()) {
            text += L'\n';
        }
        text += QCoreApplication::translate("WorkflowFailure", "… 等 %1 个").arg(failures.size()).toStdWString();
    }
    return text;
}

std::wstring WorkflowFailure::LoadReason(const std::wstring& loaderError)
{
    if (loaderError == L"操作取消") {
        return Tr(QT_TRANSLATE_NOOP("WorkflowFailure", "已取消"));
    }
    if (loaderError == L"目标文档已关闭") {
        return Tr(QT_TRANSLATE_NOOP("WorkflowFailure", "文档已关闭"));
    }
    return Tr(QT_TRANSLATE_NOOP("WorkflowFailure", "载入失败"));
}

} // namespace vela
