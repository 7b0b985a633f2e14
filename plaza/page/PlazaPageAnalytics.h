#pragma once

#include "IComponent.h"
#include "IDetailedPublicComponent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vela {

// The user-behaviour events the page reports, with their payloads. Every
// event carries all of its keys; missing text is sent as "".
class PlazaPageAnalytics
{
public:
    static void TrackQuery(const std::wstring& keyword, const std::wstring& categoryCode, int64_t resultCount,
                           const QString& displayType);
    static void TrackDetailVisit(const IDetailedPublicComponent& component);
    // A single load (batch false) or a batch load (batch true) into a document.
    static void TrackLoad(const std::vector<IComponent>& components, const std::wstring& documentName, bool batch);
    static void TrackPlace(const IComponent& component, const std::wstring& documentName);
    static void TrackAddIntoProject(const std::vector<IComponent>& components, const std::wstring& projectId,
                                    const std::wstring& projectName, bool batch);
};

} // namespace vela
