#pragma once

#include "vela_service_export.h"

#include <QObject>

namespace vela {

// The host's view of the network. State 2 is offline; every other state is online.
class VELA_SERVICE_EXPORT HostNetworkDetector : public QObject
{
    Q_OBJECT

public:
    static constexpr int Online = 1;
    static constexpr int Offline = 2;

    static HostNetworkDetector* Get();

    int State() const;
    bool IsOffline() const;
    // The host reports a new state; listeners hear about every report.
    void SetState(int newState);

signals:
    void NetworkStateChanged(int newState);

private:
    HostNetworkDetector() = default;

    int m_state = Online;
};

} // namespace vela
