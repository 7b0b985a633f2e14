#pragma once

#include "HostNetworkDetector.h"
#include "LocalHttpServer.h"

#include <QUrl>

namespace vela::test {

// The address of a loopback port nothing listens on any more: a server that is gone.
inline QUrl ClosedServerUrl()
{
    LocalHttpServer gone;
    return gone.Url("/");
}

// Watches `server` with neither probes nor heartbeat, so that only what the
// requests report moves the network state.
inline HostNetworkDetector* WatchWithoutProbes(const QUrl& server)
{
    HostNetworkDetector::ProbeTiming noProbes;
    noProbes.FirstDelayMs = noProbes.LongestDelayMs = 600000;
    noProbes.HeartbeatMs = 0;
    HostNetworkDetector* detector = HostNetworkDetector::Get();
    detector->Watch(server, noProbes);
    return detector;
}

} // namespace vela::test
