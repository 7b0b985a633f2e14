#pragma once

#include "vela_service_export.h"

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <atomic>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace vela {

// The host's view of the network. State 2 is offline; every other state is online.
//
// Two things decide it: what the host declares (its offline switch) and, once
// a server is watched, whether that server answers. A declared offline holds
// whatever the server does; otherwise a server that cannot be reached makes the
// state offline, and a light probe with back-off brings it back online when the
// server answers again; while it answers, a slow heartbeat probe notices it
// going away even when nothing else is asked. The state and its changes live on the application's
// thread; reports may come from any thread.
class VELA_SERVICE_EXPORT HostNetworkDetector : public QObject
{
    Q_OBJECT

public:
    static constexpr int Online = 1;
    static constexpr int Offline = 2;

    // How the watched server is probed while it cannot be reached.
    struct ProbeTiming
    {
        int FirstDelayMs = 500;
        // The delay doubles after each probe that fails, up to this.
        int LongestDelayMs = 5000;
        // A probe not answered in this time counts as not reached.
        int TimeoutMs = 5000;
        // While the server answers it is still asked this often, so that an idle
        // page notices it going away; 0 leaves that to the requests.
        int HeartbeatMs = 5000;
    };

    static HostNetworkDetector* Get();

    int State() const;
    bool IsOffline() const;
    // The host declares a state; listeners hear about every declaration, with
    // the state that results (offline while the watched server is unreachable).
    void SetState(int newState);

    // Starts following the server at `server` ("http://host:port"): reports are
    // heeded and the probe asks `server` + "/api/v1/health". An empty URL stops
    // following, and the server counts as reachable again.
    void Watch(const QUrl& server);
    void Watch(const QUrl& server, const ProbeTiming& timing);
    QUrl WatchedServer() const;

    // Whether the watched server answered a request at all (any HTTP status) or
    // could not be reached (refused, no such host, no connection). Thread-safe;
    // ignored while no server is watched. Changes are emitted once each.
    void ReportServerReached();
    void ReportServerUnreachable();
    // A request got no answer in time: the server may be gone or only slow, so
    // a probe decides.
    void ReportServerSilent();
    // What one finished exchange showed, when it went to the watched server:
    // any HTTP status means it answered, a refused connection or an unknown host
    // that it cannot be reached, and `timedOut` (the caller's deadline or Qt's
    // transfer timeout, with no answer) lets a probe decide. Replies from other
    // servers say nothing about this one and are ignored. Thread-safe.
    void ReportReply(const QNetworkReply& reply, bool timedOut);

signals:
    void NetworkStateChanged(int newState);
    // After each probe of the watched server: whether it answered.
    void ServerReachUpdated(bool reached);

private:
    HostNetworkDetector();

    void Report(bool reachable);
    // On the detector's thread.
    void ApplyReachable(bool reachable, quint64 generation);
    void UpdateState();
    bool MakeProbe();
    // Starts the probe's timer for the heartbeat or the next back-off step.
    void ScheduleNext();
    void Probe();

    std::atomic<int> m_state{Online};
    int m_declared = Online;
    bool m_reachable = true;
    // The last value reported from any thread, so a steady state posts nothing.
    std::atomic<bool> m_reported{true};
    // Bumped by Watch(), so reports about an earlier server are dropped.
    std::atomic<quint64> m_generation{0};
    std::atomic<bool> m_watching{false};

    QUrl m_server;
    // scheme://host:port of the watched server, for reports from any thread.
    mutable QMutex m_originMutex;
    QString m_origin;
    ProbeTiming m_timing;
    int m_nextDelayMs = 0;
    bool m_probing = false;
    // Owned by the application object, so that the probe's timer and network
    // manager end before the application does; this object outlives it.
    QPointer<QObject> m_probeContext;
    QTimer* m_probeTimer = nullptr;
    QNetworkAccessManager* m_network = nullptr;
};

} // namespace vela
