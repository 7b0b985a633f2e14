#pragma once

#include "ComponentFile.h"
#include "PublicComponentWorkflowArgument.h"
#include "WorkflowBase.h"

#include <functional>
#include <memory>

namespace vela {

// A workflow about one public component.
class VELA_WORKFLOW_EXPORT PublicComponentWorkflowBase : public WorkflowBase
{
    Q_OBJECT

public:
    const PublicComponentWorkflowArgument& Argument() const;

protected:
    using FetchedFile = std::function<void(const QString& localPath, std::shared_ptr<const tarn::ComponentFile> file)>;
    using LoadedFamily = std::function<void(tarn::RuntimeId familyId)>;

    PublicComponentWorkflowBase(const PublicComponentWorkflowArgument& argument, QObject* parent);

    // Fails the workflow with the text in `error` when it returns false.
    virtual bool ValidateArgument(std::wstring& error);

    // Downloads the component's file, reporting on the way and emitting
    // Progress in bytes; `then` gets the checked file, a failure finishes the workflow.
    void FetchComponentFile(FetchedFile then);
    // Loads the file into the document; false when the workflow finished with a failure.
    bool LoadIntoDocument(tarn::RuntimeId documentId, const std::shared_ptr<const tarn::ComponentFile>& file,
                          tarn::RuntimeId& familyId);
    // Fails the workflow unless the argument names a live document.
    bool CheckTargetDocument();
    // Checks the argument and its document, downloads the file and loads it there;
    // `then` gets the loaded family, any failure finishes the workflow instead.
    void LoadIntoTargetDocument(LoadedFamily then);

    PublicComponentWorkflowArgument m_argument;
};

} // namespace vela
