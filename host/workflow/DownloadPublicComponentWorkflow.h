#pragma once

#include "PublicComponentWorkflowBase.h"

namespace vela {

// Downloads a public component's file into the cache; succeeds with the local path.
class VELA_WORKFLOW_EXPORT DownloadPublicComponentWorkflow : public PublicComponentWorkflowBase
{
    Q_OBJECT

public:
    static DownloadPublicComponentWorkflow* Create(const PublicComponentWorkflowArgument& argument, QObject* parent);

protected:
    DownloadPublicComponentWorkflow(const PublicComponentWorkflowArgument& argument, QObject* parent);

    void InternalProceed() override;
};

} // namespace vela
