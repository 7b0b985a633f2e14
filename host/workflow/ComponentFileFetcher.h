#pragma once

#include "ComponentFile.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <string>

namespace vela {

class CustomReplyBase;

// Brings one public component's file to this machine: asks the service layer
// for its URL, downloads it (file:// or http://) into the download cache off
// the user-interface thread, and checks it. Signals arrive on the thread that
// owns the fetcher, at a later event-loop turn than Fetch(); exactly one of
// Fetched and Failed is emitted. Failed carries the message and a few words
// on the kind of failure (empty when the download layer gave none).
class ComponentFileFetcher : public QObject
{
    Q_OBJECT

public:
    explicit ComponentFileFetcher(QObject* parent = nullptr);
    ~ComponentFileFetcher() override;

    // Starts once; later calls do nothing.
    void Fetch(const std::wstring& componentId);

signals:
    void Progress(qint64 received, qint64 total);
    void Fetched(const QString& localPath, std::shared_ptr<const tarn::ComponentFile> file);
    void Failed(const QString& message, const QString& reason);

private:
    void HandleUrl(const std::wstring& error, const std::wstring& url);
    void FailLater(const QString& message, const QString& reason);

    bool m_started = false;
    QPointer<CustomReplyBase> m_urlReply;
};

} // namespace vela
