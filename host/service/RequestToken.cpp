#include "RequestToken.h"

#include <utility>

namespace vela {

namespace {
thread_local std::shared_ptr<RequestToken> s_current;
} // namespace

bool RequestToken::Start()
{
    int expected = Waiting;
    return m_state.compare_exchange_strong(expected, Started) || expected == Started;
}

bool RequestToken::Cancel()
{
    int expected = Waiting;
    return m_state.compare_exchange_strong(expected, Cancelled) || expected == Cancelled;
}

bool RequestToken::IsCancelled() const
{
    return m_state.load() == Cancelled;
}

std::shared_ptr<RequestToken> RequestToken::Current()
{
    return s_current;
}

RequestToken::Scope::Scope(std::shared_ptr<RequestToken> token)
    : m_previous(std::exchange(s_current, std::move(token)))
{
}

RequestToken::Scope::~Scope()
{
    s_current = std::move(m_previous);
}

} // namespace vela
