#include "VelaLogger.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

#include <atomic>
#include <cstdio>

namespace vela {

namespace {
std::atomic<IVelaLogger*> s_logger{nullptr};
constexpr int MaxKeptLines = 500;
} // namespace

IVelaLogger* IVelaLogger::Get()
{
    return s_logger.load();
}

void IVelaLogger::Install(IVelaLogger* logger)
{
    s_logger.store(logger);
}

VelaLogger::VelaLogger(const QString& filePath, bool echoToStderr)
    : m_echo(echoToStderr)
{
    if (!filePath.isEmpty()) {
        QDir().mkpath(QFileInfo(filePath).absolutePath());
        m_file.setFileName(filePath);
        if (!m_file.open(QIODevice::Append | QIODevice::Text)) {
            std::fprintf(stderr, "cannot open log file %s\n", qPrintable(filePath));
        }
    }
}

VelaLogger::~VelaLogger()
{
    if (IVelaLogger::Get() == this) {
        IVelaLogger::Install(nullptr);
    }
}

void VelaLogger::Trace(VelaLogObject& object) { Write("TRACE", object); }
void VelaLogger::Error(VelaLogObject& object) { Write("ERROR", object); }
void VelaLogger::Warning(VelaLogObject& object) { Write("WARN", object); }
void VelaLogger::Info(VelaLogObject& object) { Write("INFO", object); }

QStringList VelaLogger::Lines() const
{
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

void VelaLogger::ClearLines()
{
    QMutexLocker lock(&m_mutex);
    m_lines.clear();
}

void VelaLogger::Write(const char* level, const VelaLogObject& object)
{
    const QString line = QLatin1String(level) + QLatin1Char(' ') + object.Text();
    const QByteArray stamped = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + line).toUtf8();
    QMutexLocker lock(&m_mutex);
    m_lines.append(line);
    if (m_lines.size() > MaxKeptLines) {
        m_lines.removeFirst();
    }
    if (m_file.isOpen()) {
        m_file.write(stamped + '\n');
        m_file.flush();
    }
    if (m_echo) {
        std::fprintf(stderr, "%s\n", stamped.constData());
    }
}

} // namespace vela
