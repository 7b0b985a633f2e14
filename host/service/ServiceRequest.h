#pragma once

#include "CatalogBackend.h"
#include "CustomReply.h"
#include "HostNetworkDetector.h"

#include <utility>

namespace vela {

// The text of every request made while the host is offline.
inline const wchar_t* OfflineErrorText() { return L"没有网络连接"; }

// Creates a reply and hands its completer to `send` with the current backend,
// unless the host is offline or has no backend, in which case the reply fails.
// Either way the reply finishes later, on the caller's thread.
template <class T, class Send>
CustomReply<T>* SendRequest(Send send)
{
    auto* reply = new CustomReply<T>();
    if (HostNetworkDetector::Get()->IsOffline()) {
        reply->Fail(OfflineErrorText());
        return reply;
    }
    const std::shared_ptr<CatalogBackend> backend = CatalogBackend::Current();
    if (!backend) {
        reply->Fail(L"没有可用的构件库");
        return reply;
    }
    send(*backend, reply->Completer());
    return reply;
}

} // namespace vela
