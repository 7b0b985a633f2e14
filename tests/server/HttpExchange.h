#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QUrl>

class QNetworkAccessManager;

namespace vela::test {

// One request and what came back, waited for on signals.
struct HttpExchange
{
    int Status = 0;
    QByteArray Body;
    QList<QPair<QByteArray, QByteArray>> Headers;

    QByteArray Header(const QByteArray& name) const;

    static HttpExchange Get(QNetworkAccessManager& manager, const QUrl& url,
                            const QList<QPair<QByteArray, QByteArray>>& headers = {});
    static HttpExchange Post(QNetworkAccessManager& manager, const QUrl& url, const QByteArray& body);
    // The request line goes out byte for byte (a client library would clean "..").
    static HttpExchange Raw(int port, const QByteArray& target);
};

} // namespace vela::test
