#pragma once
// Waiting in tests for work that another thread (or process) finishes.
#include <functional>

namespace testing_support {

// Calls condition every few milliseconds until it returns true or timeoutMs passed; true when it
// did. The default limit is generous: a loaded machine may be slow, a working one never waits it.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 60000);

}  // namespace testing_support
