#pragma once

#include "CustomReplyBase.h"

#include <functional>
#include <utility>

namespace vela {

// A reply carrying a result of type T.
template <class T>
class CustomReply : public CustomReplyBase
{
public:
    using Completion = std::function<void(std::wstring error, T result)>;

    explicit CustomReply(QObject* parent = nullptr)
        : CustomReplyBase(parent)
    {
    }

    // A copy of the result; meaningful only when Error() is empty.
    T Result() const { return m_result; }

    // A function that completes this reply from any thread, at most once.
    // The reply finishes at a later turn of its own thread's event loop, so a
    // completion called inside the request still finishes after it returned.
    // Completing a reply that has been deleted does nothing.
    Completion Completer()
    {
        std::shared_ptr<ReplyLink> link = Link();
        return [link](std::wstring error, T result) {
            Complete(link, std::move(error), [result = std::move(result)](CustomReplyBase* reply) mutable {
                static_cast<CustomReply<T>*>(reply)->m_result = std::move(result);
            });
        };
    }

    // Completes the reply with an error text (never empty).
    void Fail(std::wstring error)
    {
        if (error.empty()) {
            error = L"unknown error";
        }
        Completer()(std::move(error), T{});
    }

private:
    T m_result{};
};

} // namespace vela
