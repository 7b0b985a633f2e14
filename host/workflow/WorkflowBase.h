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

signals:
    void Finished(bool success, std::wstring message);
    void Report(std::wstring message);
    void Progress(float done, float total);

protected:
    virtual void InternalProceed() = 0;

    // Emits Finished once and schedules the workflow's deletion.
    void Finish(bool success, const std::wstring& message);

private:
    bool m_started = false;
    bool m_finished = false;
};

} // namespace vela
