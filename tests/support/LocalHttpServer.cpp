#include "LocalHttpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace vela::test {

namespace {

// A request head bigger than this is not one a client under test sends.
constexpr int MaximumHeadBytes = 64 * 1024;

LocalHttpServer::Answer MakeAnswer(int status, QList<QPair<QByteArray, QByteArray>> headers, const QByteArray& body)
{
    LocalHttpServer::Answer answer;
    answer.Status = status;
    answer.Headers = std::move(headers);
    answer.Body = body;
    return answer;
}

} // namespace

LocalHttpServer::LocalHttpServer(QObject* parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_pending.remove(socket);
                socket->deleteLater();
            });
        }
    });
    m_server.listen(QHostAddress::LocalHost);
}

LocalHttpServer::~LocalHttpServer()
{
    // Sockets are children of the server; their disconnects must not reach a half-destroyed table.
    for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>()) {
        socket->disconnect(this);
    }
}

bool LocalHttpServer::IsListening() const
{
    return m_server.isListening();
}

QUrl LocalHttpServer::Url(const QByteArray& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QString::fromLatin1(path)));
}

void LocalHttpServer::Set(const QByteArray& path, Answer answer)
{
    m_answers[path] = std::move(answer);
}

void LocalHttpServer::SetBody(const QByteArray& path, const QByteArray& body, const QByteArray& contentType)
{
    Set(path, MakeAnswer(200, {{"Content-Type", contentType}}, body));
}

void LocalHttpServer::SetStatus(const QByteArray& path, int status, const QByteArray& body)
{
    Set(path, MakeAnswer(status, {{"Content-Type", "text/plain"}}, body));
}

void LocalHttpServer::SetRedirect(const QByteArray& path, const QByteArray& targetPath, int status)
{
    Set(path, MakeAnswer(status, {{"Location", Url(targetPath).toEncoded()}}, {}));
}

void LocalHttpServer::SetTruncated(const QByteArray& path, const QByteArray& body, int keep)
{
    Answer answer = MakeAnswer(200, {{"Content-Type", "application/octet-stream"}}, body);
    answer.CutAfter = keep;
    Set(path, std::move(answer));
}

void LocalHttpServer::SetDrip(const QByteArray& path, const QByteArray& body, int intervalMs)
{
    Answer answer = MakeAnswer(200, {{"Content-Type", "application/octet-stream"}}, body);
    answer.DripIntervalMs = intervalMs;
    Set(path, std::move(answer));
}

int LocalHttpServer::Requests(const QByteArray& path) const
{
    const auto found = m_requests.find(path);
    return found == m_requests.end() ? 0 : found->second;
}

int LocalHttpServer::TotalRequests() const
{
    int total = 0;
    for (const auto& [path, count] : m_requests) {
        total += count;
    }
    return total;
}

void LocalHttpServer::Serve(QTcpSocket* socket)
{
    QByteArray& head = m_pending[socket];
    head += socket->readAll();
    const int end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() > MaximumHeadBytes) {
            m_pending.remove(socket);
            socket->abort();
        }
        return;
    }
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    m_pending.remove(socket);
    // One request per connection: whatever else the client sends is ignored.
    socket->disconnect(this, nullptr);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);

    Answer answer;
    if (requestLine.size() != 3 || requestLine.at(0) != "GET") {
        answer.Status = 405;
    } else {
        const QByteArray path = requestLine.at(1);
        ++m_requests[path];
        const auto found = m_answers.find(path);
        if (found != m_answers.end()) {
            answer = found->second;
        } else {
            answer.Status = 404;
            answer.Body = QByteArrayLiteral("not found");
        }
    }

    QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer.Status) + ' ' + Reason(answer.Status) + "\r\n";
    for (const auto& [name, value] : answer.Headers) {
        reply += name + ": " + value + "\r\n";
    }
    if (answer.SendLength) {
        reply += "Content-Length: " + QByteArray::number(answer.Body.size()) + "\r\n";
    }
    reply += "Connection: close\r\n\r\n";
    if (answer.DripIntervalMs > 0) {
        socket->write(reply);
        Drip(socket, answer.Body, answer.DripIntervalMs);
        return;
    }
    reply += answer.CutAfter < 0 ? answer.Body : answer.Body.left(answer.CutAfter);
    socket->write(reply);
    socket->disconnectFromHost();
}

void LocalHttpServer::Drip(QTcpSocket* socket, const QByteArray& body, int intervalMs)
{
    if (body.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    const QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(intervalMs, this, [this, guard, body, intervalMs] {
        // The client hung up: nothing more to send.
        if (!guard || guard->state() != QAbstractSocket::ConnectedState) {
            return;
        }
        guard->write(body.left(1));
        Drip(guard, body.mid(1), intervalMs);
    });
}

QByteArray LocalHttpServer::Reason(int status)
{
    switch (status) {
    case 200: return QByteArrayLiteral("OK");
    case 301: return QByteArrayLiteral("Moved Permanently");
    case 302: return QByteArrayLiteral("Found");
    case 307: return QByteArrayLiteral("Temporary Redirect");
    case 404: return QByteArrayLiteral("Not Found");
    case 405: return QByteArrayLiteral("Method Not Allowed");
    case 500: return QByteArrayLiteral("Internal Server Error");
    default: return QByteArrayLiteral("Status");
    }
}

} // namespace vela::test
