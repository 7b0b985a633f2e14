#pragma once

#include "IInternalRivoCollaborationProjectComponentService.h"
#include "plaza_export.h"

namespace vela {

// Opens the Plaza window to add public components into a collaboration
// project and answers what was added while it was open.
class PLAZA_EXPORT InternalRivoCollaborationProjectComponentServiceImpl
    : public IInternalRivoCollaborationProjectComponentService
{
public:
    std::vector<std::shared_ptr<IProjectComponent>> AddComponentsFromPublic(const InternalAddComponentOptions& options,
                                                                            std::wstring& errorMessage) override;
};

} // namespace vela
