#pragma once

#include "CatalogBackend.h"
#include "CustomReply.h"
#include "HostNetworkDetector.h"
#include "ReplyQueue.h"
#include "RequestToken.h"

#include <QCoreApplication>

#include <string>
#include <utility>

namespace vela {

// The text of every request made while the host is offline.
inline std::wstring OfflineErrorText()
{
    return QCoreApplication::translate("vela::ServiceRequest", "没有网络连接").toStdWString();
}

// Replies of one kind from one thread finish in the order they were asked for.
enum class RequestKind
{
    Categories,
    Components,
    CategoryProperty,
    DetailedComponent,
    Legend,
    Specification,
    ComponentFileUrl,
    RepeatCheck,
    AddFromPublic,
};

// Browsing reads only show the latest answer, so a newer one makes older
// work that has not started pointless. File URLs are asked for many at once
// by a batch that needs every answer, and project requests write.
inline bool IsSupersededByNewer(RequestKind kind)
{
    switch (kind) {
    case RequestKind::Categories:
    case RequestKind::Components:
    case RequestKind::CategoryProperty:
    case RequestKind::DetailedComponent:
    case RequestKind::Legend:
    case RequestKind::Specification:
        return true;
    case RequestKind::ComponentFileUrl:
    case RequestKind::RepeatCheck:
    case RequestKind::AddFromPublic:
        return false;
    }
    return false;
}

// Creates a reply, queues it behind the earlier replies of its kind from this
// thread, and hands its completer to `send` with the current backend, unless
// the host is offline or has no backend, in which case the reply fails.
// Either way the reply finishes later, on the caller's thread, in turn.
template <class T, class Send>
CustomReply<T>* SendRequest(RequestKind kind, Send send)
{
    auto* reply = new CustomReply<T>();
    reply->EnterQueue(ReplyQueue::ForThisThread(int(kind)), IsSupersededByNewer(kind));
    if (HostNetworkDetector::Get()->IsOffline()) {
        reply->Fail(OfflineErrorText());
        return reply;
    }
    const std::shared_ptr<CatalogBackend> backend = CatalogBackend::Current();
    if (!backend) {
        reply->Fail(QCoreApplication::translate("vela::ServiceRequest", "没有可用的构件库").toStdWString());
        return reply;
    }
    RequestToken::Scope scope(reply->Token());
    send(*backend, reply->Completer());
    return reply;
}

} // namespace vela
