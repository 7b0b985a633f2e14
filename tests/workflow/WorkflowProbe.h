#pragma once

#include "PublicComponentWorkflowArgument.h"
#include "WorkflowBase.h"

#include <QObject>
#include <QPair>
#include <QStringList>
#include <QVector>

#include <memory>

namespace vela::test {

// Records what a workflow emits, starts it, and waits for its end.
class WorkflowProbe : public QObject
{
    Q_OBJECT

public:
    explicit WorkflowProbe(WorkflowBase* workflow);
    // Starts `workflow` and waits for its end.
    static std::unique_ptr<WorkflowProbe> Run(WorkflowBase* workflow);

    // Waits until Finished, or false after `timeoutMs`.
    bool Wait(int timeoutMs = 20000);

    bool Done = false;
    bool Success = false;
    QString Message;
    // The workflow's few words on why it failed; empty on success.
    QString Reason;
    QStringList Reports;
    QVector<QPair<float, float>> Progress;
    // Set when any signal arrived on a thread other than the test's.
    bool OffThread = false;
};

// Component `id` into `document`, or wherever the workflow decides when none is given.
PublicComponentWorkflowArgument ArgumentFor(const std::wstring& id, tarn::RuntimeId document = tarn::RuntimeId::InvalidID,
                                            std::shared_ptr<IVelaFamilyLoadOptions> options = nullptr);

} // namespace vela::test
