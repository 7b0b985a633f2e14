#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

#include <map>

class QTcpSocket;

namespace vela::test {

// Answers GET requests on 127.0.0.1 from a table the test fills, one request per
// connection, and counts the requests for every path. Paths not in the table get 404.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Answer
    {
        int Status = 200;
        QList<QPair<QByteArray, QByteArray>> Headers;
        QByteArray Body;
        // Sends only this many bytes of the body and closes; -1 sends all of it.
        int CutAfter = -1;
        // Content-Length promises the whole body even when it is cut.
        bool SendLength = true;
        // Above 0: after the head, the body goes out one byte per this many
        // milliseconds, like a server that never falls silent long enough to time out.
        int DripIntervalMs = 0;
    };

    explicit LocalHttpServer(QObject* parent = nullptr);
    ~LocalHttpServer() override;

    bool IsListening() const;
    // The address of `path` ("/a.png") on this server.
    QUrl Url(const QByteArray& path) const;

    void Set(const QByteArray& path, Answer answer);
    void SetBody(const QByteArray& path, const QByteArray& body, const QByteArray& contentType);
    void SetStatus(const QByteArray& path, int status, const QByteArray& body = QByteArray());
    void SetRedirect(const QByteArray& path, const QByteArray& targetPath, int status = 302);
    // Promises `body` and closes the connection after `keep` of its bytes.
    void SetTruncated(const QByteArray& path, const QByteArray& body, int keep);
    // Sends `body` one byte every `intervalMs` milliseconds.
    void SetDrip(const QByteArray& path, const QByteArray& body, int intervalMs);

    int Requests(const QByteArray& path) const;
    int TotalRequests() const;

private:
    void Serve(QTcpSocket* socket);
    void Drip(QTcpSocket* socket, const QByteArray& body, int intervalMs);
    static QByteArray Reason(int status);

    QTcpServer m_server;
    std::map<QByteArray, Answer> m_answers;
    std::map<QByteArray, int> m_requests;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

} // namespace vela::test
