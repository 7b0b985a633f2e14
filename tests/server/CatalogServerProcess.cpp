#include "CatalogServerProcess.h"

#include <QDeadlineTimer>

namespace vela::test {

CatalogServerProcess::CatalogServerProcess(const QStringList& arguments, const QString& catalog)
    : m_arguments(QStringList{QStringLiteral("--catalog"), catalog.isEmpty() ? SampleCatalog() : catalog,
                              QStringLiteral("--port"), QStringLiteral("0")}
                  + arguments)
{
}

CatalogServerProcess::~CatalogServerProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        Stop();
    }
}

QString CatalogServerProcess::SampleCatalog()
{
    return qEnvironmentVariable("PLAZA_SAMPLE_CATALOG");
}

bool CatalogServerProcess::Start()
{
    m_process.start(QStringLiteral(PLAZA_CATALOG_SERVER), m_arguments);
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("server did not start: %1").arg(m_process.errorString());
        return false;
    }
    // The first line on standard output is the port.
    const QDeadlineTimer deadline(10000);
    while (!m_process.canReadLine() && !deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(int(deadline.remainingTime()));
    }
    bool ok = false;
    m_port = m_process.readLine().trimmed().toInt(&ok);
    if (!ok || m_port <= 0) {
        m_error = QStringLiteral("server gave no port: %1").arg(QString::fromLocal8Bit(Log()));
        return false;
    }
    return true;
}

QString CatalogServerProcess::Error() const
{
    return m_error;
}

int CatalogServerProcess::Port() const
{
    return m_port;
}

QUrl CatalogServerProcess::Url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

int CatalogServerProcess::Stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    Log();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QByteArray CatalogServerProcess::Log()
{
    m_log += m_process.readAllStandardError();
    return m_log;
}

} // namespace vela::test
