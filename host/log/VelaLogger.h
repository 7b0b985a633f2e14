#pragma once

#include "IVelaLogger.h"
#include "vela_log_export.h"

#include <QFile>
#include <QMutex>
#include <QStringList>
#include <QtGlobal>

namespace vela {

// Writes each line with a time stamp and level to a log file, hands it to Qt's
// message output under its library's logging category, and keeps the most recent
// lines in memory so tests can read them.
class VELA_LOG_EXPORT VelaLogger : public IVelaLogger
{
public:
    // An empty path logs to the message output and memory only. With `echo`, lines also
    // go to Qt's message output (stderr unless the application installs a handler),
    // where QT_LOGGING_RULES ("vela.workflow.debug=true") chooses which are shown; trace
    // lines are debug messages, info info, warnings warnings and errors critical.
    explicit VelaLogger(const QString& filePath = QString(), bool echo = true);
    ~VelaLogger() override;

    void Trace(VelaLogObject& object) override;
    void Error(VelaLogObject& object) override;
    void Warning(VelaLogObject& object) override;
    void Info(VelaLogObject& object) override;

    // Recent lines, oldest first, as "LEVEL text".
    QStringList Lines() const;
    void ClearLines();

private:
    void Write(QtMsgType type, const char* level, const VelaLogObject& object);

    mutable QMutex m_mutex;
    QFile m_file;
    bool m_echo;
    QStringList m_lines;
};

} // namespace vela
