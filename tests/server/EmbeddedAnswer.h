#pragma once

#include "CatalogJson.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <future>
#include <string>
#include <utility>

namespace vela::test {

// The error and result of one backend call. Backends answer on their own
// threads; this thread keeps handling its events meanwhile (a test's own
// server may live on it) and is woken by the answer.
template <class T, class Call>
std::pair<std::wstring, T> Ask(Call call)
{
    auto promise = std::make_shared<std::promise<std::pair<std::wstring, T>>>();
    auto future = promise->get_future();
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    call([promise, dispatcher](std::wstring error, T result) {
        promise->set_value({std::move(error), std::move(result)});
        dispatcher->wakeUp();
    });
    QDeadlineTimer deadline(10000);
    QTimer wake;
    wake.start(int(deadline.remainingTime()));
    while (future.wait_for(std::chrono::seconds(0)) != std::future_status::ready && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (future.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return {L"no answer", T{}};
    }
    return future.get();
}

// Embedded catalog URLs as a server at `base` ("http://127.0.0.1:port") writes them.
inline CatalogJson::UrlMap ServedFrom(const QString& catalogFolder, const QString& base)
{
    const QString folderUrl = QUrl::fromLocalFile(catalogFolder + QLatin1Char('/')).toString(QUrl::FullyEncoded);
    return [folderUrl, base](const std::wstring& url) {
        QString text = QString::fromStdWString(url);
        if (text.startsWith(folderUrl)) {
            text = base + QStringLiteral("/catalog/") + text.mid(folderUrl.size());
        }
        return text.toStdWString();
    };
}

} // namespace vela::test
