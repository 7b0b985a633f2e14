#pragma once

#include "WorkflowBase.h"

#include <QObject>
#include <QPair>
#include <QStringList>
#include <QVector>

namespace vela::test {

// Records what a workflow emits, starts it, and waits for its end.
class WorkflowProbe : public QObject
{
    Q_OBJECT

public:
    explicit WorkflowProbe(WorkflowBase* workflow);

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

} // namespace vela::test
