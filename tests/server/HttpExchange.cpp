#include "HttpExchange.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>

namespace vela::test {

namespace {

HttpExchange Collect(QNetworkReply* reply)
{
    HttpExchange exchange;
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished()) {
        finished.wait(10000);
    }
    exchange.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    exchange.Body = reply->readAll();
    exchange.Headers = reply->rawHeaderPairs();
    reply->deleteLater();
    return exchange;
}

} // namespace

QByteArray HttpExchange::Header(const QByteArray& name) const
{
    for (const auto& header : Headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0) {
            return header.second;
        }
    }
    return {};
}

HttpExchange HttpExchange::Get(QNetworkAccessManager& manager, const QUrl& url,
                               const QList<QPair<QByteArray, QByteArray>>& headers)
{
    QNetworkRequest request(url);
    for (const auto& header : headers) {
        request.setRawHeader(header.first, header.second);
    }
    return Collect(manager.get(request));
}

HttpExchange HttpExchange::Post(QNetworkAccessManager& manager, const QUrl& url, const QByteArray& body)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    return Collect(manager.post(request, body));
}

HttpExchange HttpExchange::Raw(int port, const QByteArray& target)
{
    HttpExchange exchange;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
    if (!socket.waitForConnected(5000)) {
        return exchange;
    }
    socket.write("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000)) {
        answer += socket.readAll();
    }
    answer += socket.readAll();
    const int headEnd = answer.indexOf("\r\n\r\n");
    const QList<QByteArray> statusLine = answer.left(answer.indexOf("\r\n")).split(' ');
    exchange.Status = statusLine.size() > 1 ? statusLine.at(1).toInt() : 0;
    exchange.Body = headEnd >= 0 ? answer.mid(headEnd + 4) : QByteArray();
    return exchange;
}

} // namespace vela::test
