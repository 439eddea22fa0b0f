#pragma once
// Running a check as an unprivileged user, so that file permissions apply even when the tests run
// as root (as CI runs them).
#include <functional>
#include <string>

namespace testing_support {

// The exit code RunUnprivileged gives when the child could not become an unprivileged user.
inline constexpr int kCannotDropPrivileges = 90;

// Runs body in a child process, as the user "nobody" (uid 65534) when the tests run as root, and
// returns body's result as the child's exit code (0..89), or kCannotDropPrivileges, or -1 when the
// child did not end normally. body must not throw; gtest assertions inside it do not reach the
// parent, so return a code instead.
int RunUnprivileged(const std::function<int()>& body);

// Lets every user list and pass through folder and every folder below it, so that the user of
// RunUnprivileged reaches the files a test made there.
void LetOthersIn(const std::string& folder);

}  // namespace testing_support
