#pragma once

#include "vela_appservice_export.h"

#include <QObject>

namespace vela {

// Tells modules when the host's main window changes state (minimised, restored, ...).
class VELA_APPSERVICE_EXPORT ApplicationMainWindowService : public QObject
{
    Q_OBJECT

public:
    static ApplicationMainWindowService* Get();

    // The host reports its main window's old and new Qt::WindowStates.
    void NotifyStateChanged(int oldState, int newState);

signals:
    void ApplicationMainWindowStateChanged(int oldState, int newState);

private:
    ApplicationMainWindowService() = default;
};

} // namespace vela
