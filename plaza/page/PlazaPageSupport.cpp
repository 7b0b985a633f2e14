#include "PlazaPageSupport.h"

#include "AppService.h"
#include "KelBulletin.h"

namespace vela {

std::wstring PlazaPageSupport::SoftwareCode()
{
    AppService* app = AppService::Get();
    return app ? app->GetSoftwareCode() : std::wstring();
}

std::wstring PlazaPageSupport::SoftwareVersion()
{
    AppService* app = AppService::Get();
    return app ? app->GetSoftwareVersion() : std::wstring();
}

std::wstring PlazaPageSupport::WideText(const QVariant& value)
{
    return value.toString().toStdWString();
}

KelBulletin* PlazaPageSupport::ShowBusyBulletin(const QString& message)
{
    KelBulletin* bulletin = KelBulletin::Create(nullptr);
    if (bulletin) {
        bulletin->ConfigIcon(4)->ConfigMessage(message);
        bulletin->show();
    }
    return bulletin;
}

} // namespace vela
