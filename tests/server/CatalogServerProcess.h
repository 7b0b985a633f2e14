#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace vela::test {

// The real plaza-catalog-server, started on a free loopback port for one
// test and stopped with SIGTERM at the end.
class CatalogServerProcess
{
public:
    // Serves `catalog` (the sample catalog when empty) with `arguments` added.
    explicit CatalogServerProcess(const QStringList& arguments = {}, const QString& catalog = QString());
    ~CatalogServerProcess();

    // Starts the server and reads the port it chose; false with Error() set.
    bool Start();
    QString Error() const;
    int Port() const;
    // http://127.0.0.1:<port><path>
    QUrl Url(const QString& path = QString()) const;

    // Sends SIGTERM and waits; the exit code, or -1 when it crashed or hung.
    int Stop();
    // What the server wrote on standard error so far.
    QByteArray Log();

    static QString SampleCatalog();

private:
    QStringList m_arguments;
    QProcess m_process;
    QByteArray m_log;
    QString m_error;
    int m_port = 0;
};

} // namespace vela::test
