#pragma once

#include "vela_service_export.h"

#include <atomic>
#include <memory>

namespace vela {

// Whether the work of one request is still wanted. The service layer cancels
// a request that a newer one of its kind has made pointless; a backend that
// queues work claims the token just before running it and skips the work when
// the claim fails. Exactly one of Start() and Cancel() ever succeeds.
class VELA_SERVICE_EXPORT RequestToken
{
public:
    // Backend side: true when the work may run (and can no longer be cancelled).
    bool Start();
    // Service side: true when the work had not started and now never will.
    bool Cancel();
    bool IsCancelled() const;

    // The token of the request being handed to a backend on this thread, for
    // a backend to keep during the call; null outside a service request.
    static std::shared_ptr<RequestToken> Current();

    // Makes `token` the current one for the lifetime of the scope.
    class VELA_SERVICE_EXPORT Scope
    {
    public:
        explicit Scope(std::shared_ptr<RequestToken> token);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::shared_ptr<RequestToken> m_previous;
    };

private:
    enum State { Waiting, Started, Cancelled };
    std::atomic<int> m_state{Waiting};
};

} // namespace vela
