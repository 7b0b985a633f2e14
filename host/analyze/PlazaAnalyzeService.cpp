#include "PlazaAnalyzeService.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMutexLocker>

#include <atomic>

namespace vela {

namespace {
std::atomic<PlazaAnalyzeService*> s_service{nullptr};
constexpr int MaxKeptEvents = 1000;
} // namespace

PlazaAnalyzeService* PlazaAnalyzeService::Get()
{
    return s_service.load();
}

void PlazaAnalyzeService::Install(PlazaAnalyzeService* service)
{
    s_service.store(service);
}

PlazaAnalyzeService::PlazaAnalyzeService(const QString& eventsFilePath)
{
    if (!eventsFilePath.isEmpty()) {
        QDir().mkpath(QFileInfo(eventsFilePath).absolutePath());
        m_file.setFileName(eventsFilePath);
        m_file.open(QIODevice::Append);
    }
}

PlazaAnalyzeService::~PlazaAnalyzeService()
{
    if (Get() == this) {
        Install(nullptr);
    }
}

void PlazaAnalyzeService::Track(const std::wstring& eventName, QJsonObject payload)
{
    const QString name = QString::fromStdWString(eventName);
    QMutexLocker lock(&m_mutex);
    if (m_file.isOpen()) {
        // UTC, so lines from hosts in several time zones sort and compare as they are.
        const QJsonObject line{{QStringLiteral("time"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                               {QStringLiteral("event"), name},
                               {QStringLiteral("payload"), payload}};
        m_file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
        m_file.flush();
    }
    m_events.append({name, std::move(payload)});
    if (m_events.size() > MaxKeptEvents) {
        m_events.removeFirst();
    }
}

QVector<PlazaAnalyzeService::Event> PlazaAnalyzeService::Events() const
{
    QMutexLocker lock(&m_mutex);
    return m_events;
}

void PlazaAnalyzeService::ClearEvents()
{
    QMutexLocker lock(&m_mutex);
    m_events.clear();
}

} // namespace vela
