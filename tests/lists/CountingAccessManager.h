#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <algorithm>

// Counts the downloads the image providers start and the most running at once.
class CountingAccessManager : public QNetworkAccessManager
{
public:
    int Requests = 0;
    int Running = 0;
    int MostRunning = 0;

protected:
    QNetworkReply* createRequest(Operation op, const QNetworkRequest& request, QIODevice* data) override
    {
        ++Requests;
        MostRunning = std::max(MostRunning, ++Running);
        QNetworkReply* reply = QNetworkAccessManager::createRequest(op, request, data);
        connect(reply, &QNetworkReply::finished, this, [this] { --Running; });
        return reply;
    }
};
