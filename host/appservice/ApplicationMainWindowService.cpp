#include "ApplicationMainWindowService.h"

namespace vela {

ApplicationMainWindowService* ApplicationMainWindowService::Get()
{
    static ApplicationMainWindowService s_service;
    return &s_service;
}

void ApplicationMainWindowService::NotifyStateChanged(int oldState, int newState)
{
    emit ApplicationMainWindowStateChanged(oldState, newState);
}

} // namespace vela
