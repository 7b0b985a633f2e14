#pragma once

#include "IVelaLogger.h"
#include "vela_log_export.h"

#include <QFile>
#include <QMutex>
#include <QStringList>

namespace vela {

// Writes each line with a time stamp and level to a log file and to stderr,
// and keeps the most recent lines in memory so tests can read them.
class VELA_LOG_EXPORT VelaLogger : public IVelaLogger
{
public:
    // An empty path logs to stderr and memory only.
    explicit VelaLogger(const QString& filePath = QString(), bool echoToStderr = true);
    ~VelaLogger() override;

    void Trace(VelaLogObject& object) override;
    void Error(VelaLogObject& object) override;
    void Warning(VelaLogObject& object) override;
    void Info(VelaLogObject& object) override;

    // Recent lines, oldest first, as "LEVEL text".
    QStringList Lines() const;
    void ClearLines();

private:
    void Write(const char* level, const VelaLogObject& object);

    mutable QMutex m_mutex;
    QFile m_file;
    bool m_echo;
    QStringList m_lines;
};

} // namespace vela
