#pragma once

#include "vela_workflow_export.h"

#include <QObject>

#include <string>

namespace vela {

// A piece of work that runs on its own after Proceed(true) and reports its
// progress and outcome through signals on the user-interface thread. A
// workflow deletes itself after it has emitted Finished.
class VELA_WORKFLOW_EXPORT WorkflowBase : public QObject
{
    Q_OBJECT

public:
    explicit WorkflowBase(QObject* parent = nullptr);

    // Starts the work at the next turn of the event loop, so the caller can
    // connect first; false does nothing. A workflow runs at most once.
    void Proceed(bool start);

    // The component the workflow is about; empty for workflows about several.
    const std::wstring& SubjectId() const;
    const std::wstring& SubjectName() const;
    // A few words on why the workflow failed ("下载失败", "文件已损坏", "已取消", ...),
    // "载入失败" when the failing step gave none; empty unless it finished with a failure.
    // Valid while Finished is emitted.
    std::wstring FailureReason() const;

signals:
    void Finished(bool success, std::wstring message);
    void Report(std::wstring message);
    void Progress(float done, float total);

protected:
    virtual void InternalProceed() = 0;

    // Emits Finished once and schedules the workflow's deletion. A failure is
    // logged with the subject and the message.
    void Finish(bool success, const std::wstring& message);
    // Finishes with a failure and its short reason; `logDetail` goes to the log line only.
    void Fail(const std::wstring& message, const std::wstring& reason, const std::wstring& logDetail = {});
    void SetSubject(const std::wstring& id, const std::wstring& name);

private:
    void Complete(bool success, const std::wstring& message, const std::wstring& reason,
                  const std::wstring& logDetail);
    void LogFailure(const std::wstring& message, const std::wstring& logDetail) const;

    bool m_started = false;
    bool m_finished = false;
    bool m_failed = false;
    std::wstring m_subjectId;
    std::wstring m_subjectName;
    std::wstring m_failureReason;
};

} // namespace vela
