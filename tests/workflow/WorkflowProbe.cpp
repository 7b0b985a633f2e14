#include "WorkflowProbe.h"

#include <QTest>
#include <QThread>

namespace vela::test {

WorkflowProbe::WorkflowProbe(WorkflowBase* workflow)
{
    QThread* thread = QThread::currentThread();
    const auto check = [this, thread] { OffThread = OffThread || QThread::currentThread() != thread; };
    connect(workflow, &WorkflowBase::Finished, this, [this, check, workflow](bool success, const std::wstring& message) {
        check();
        Done = true;
        Success = success;
        Message = QString::fromStdWString(message);
        Reason = QString::fromStdWString(workflow->FailureReason());
    }, Qt::DirectConnection);
    connect(workflow, &WorkflowBase::Report, this, [this, check](const std::wstring& message) {
        check();
        Reports << QString::fromStdWString(message);
    }, Qt::DirectConnection);
    connect(workflow, &WorkflowBase::Progress, this, [this, check](float done, float total) {
        check();
        Progress.append({done, total});
    }, Qt::DirectConnection);
    workflow->Proceed(true);
}

std::unique_ptr<WorkflowProbe> WorkflowProbe::Run(WorkflowBase* workflow)
{
    auto probe = std::make_unique<WorkflowProbe>(workflow);
    probe->Wait();
    return probe;
}

bool WorkflowProbe::Wait(int timeoutMs)
{
    return QTest::qWaitFor([this] { return Done; }, timeoutMs);
}

PublicComponentWorkflowArgument ArgumentFor(const std::wstring& id, tarn::RuntimeId document,
                                            std::shared_ptr<IVelaFamilyLoadOptions> options)
{
    IComponent component;
    component.Id = id;
    return PublicComponentWorkflowArgument(component, L"1.0", document, std::move(options));
}

} // namespace vela::test
