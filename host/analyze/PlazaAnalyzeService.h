#pragma once

#include "vela_analyzeservice_export.h"

#include <QFile>
#include <QJsonObject>
#include <QMutex>
#include <QString>
#include <QVector>

#include <string>
#include <utility>

namespace vela {

// The host's analytics service. Each event is appended as one JSON line
// ({"event":…,"payload":{…},"time":"2026-12-06T08:00:00.000Z"}, the time in UTC)
// to the events file, when one is set, and kept in memory for the host and for tests.
class VELA_ANALYZESERVICE_EXPORT PlazaAnalyzeService
{
public:
    using Event = std::pair<QString, QJsonObject>;

    // Null until the host installs a service.
    static PlazaAnalyzeService* Get();
    static void Install(PlazaAnalyzeService* service);

    // An empty path keeps events in memory only.
    explicit PlazaAnalyzeService(const QString& eventsFilePath = QString());
    ~PlazaAnalyzeService();

    void Track(const std::wstring& eventName, QJsonObject payload);

    QVector<Event> Events() const;
    void ClearEvents();

private:
    mutable QMutex m_mutex;
    QFile m_file;
    QVector<Event> m_events;
};

} // namespace vela
