#include "HostNetworkDetector.h"

namespace vela {

HostNetworkDetector* HostNetworkDetector::Get()
{
    static HostNetworkDetector s_detector;
    return &s_detector;
}

int HostNetworkDetector::State() const
{
    return m_state;
}

bool HostNetworkDetector::IsOffline() const
{
    return m_state == Offline;
}

void HostNetworkDetector::SetState(int newState)
{
    m_state = newState;
    emit NetworkStateChanged(newState);
}

} // namespace vela
