#pragma once

#include "ComponentFile.h"
#include "IVelaFamilyLoadOptions.h"
#include "RuntimeId.h"

#include <memory>
#include <string>

namespace vela {

// Loads a component file's family into a document, settling a family-name
// conflict through the workflow argument's load options.
class ComponentFileLoader
{
public:
    struct Outcome
    {
        // Empty on success.
        std::wstring Error;
        tarn::RuntimeId FamilyId;
    };

    // Without options a taken name is settled by renaming the new family. A
    // rename gives the name the question showed; when that name was taken
    // while the user answered, the options are asked again. A cancelled
    // question fails with "操作取消". The document is untouched on failure.
    static Outcome Load(tarn::RuntimeId documentId, const std::shared_ptr<const tarn::ComponentFile>& file,
                        IVelaFamilyLoadOptions* options);

    // `requested` when it is valid, else the host's current document (invalid when none is open).
    static tarn::RuntimeId ResolveDocument(tarn::RuntimeId requested);
};

} // namespace vela
