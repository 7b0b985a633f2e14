#pragma once

#include <functional>

namespace vela::test {

// Runs `act` from the event loop, modal loops included, once `ready` holds.
// Gives up after about five seconds by rejecting every visible dialog, top
// first, so a dialog that never shows fails the test instead of hanging it.
void When(std::function<bool()> ready, std::function<void()> act, int triesLeft = 500);

} // namespace vela::test
