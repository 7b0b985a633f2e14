#pragma once

#include "CustomReply.h"

#include <QSignalSpy>

#include <memory>
#include <string>

namespace vela::test {

// What became of one reply.
template <class T>
struct Answer
{
    bool FinishedInsideCall = true;
    bool Finished = false;
    std::wstring Error;
    T Result{};
};

// Waits for a reply the way the page does: connect after the call returned.
// The reply is deleted afterwards.
template <class T>
Answer<T> Wait(CustomReply<T>* reply)
{
    Answer<T> answer;
    std::unique_ptr<CustomReply<T>> owner(reply);
    answer.FinishedInsideCall = reply->IsFinished();
    QSignalSpy finished(reply, &CustomReplyBase::Finished);
    answer.Finished = finished.wait(10000) && finished.count() == 1;
    answer.Error = reply->Error();
    answer.Result = reply->Result();
    return answer;
}

// The result of a reply, with its error text through `error` when given.
template <class T>
T Await(CustomReply<T>* reply, std::wstring* error = nullptr)
{
    Answer<T> answer = Wait(reply);
    if (error) {
        *error = answer.Error;
    }
    return answer.Result;
}

} // namespace vela::test
