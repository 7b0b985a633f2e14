#pragma once

#include <QString>
#include <QVariant>

#include <string>

namespace vela {

class KelBulletin;

// Small helpers the page and its collaborators share.
class PlazaPageSupport
{
public:
    // The host's software code and version, empty when the host has no application service.
    static std::wstring SoftwareCode();
    static std::wstring SoftwareVersion();
    static std::wstring WideText(const QVariant& value);
    // A kept bulletin saying that work has started.
    static KelBulletin* ShowBusyBulletin(const QString& message);
};

} // namespace vela
