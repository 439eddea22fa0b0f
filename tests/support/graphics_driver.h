#pragma once
// Keeps the GL driver libraries loaded until the process ends. The window system unloads them
// when its display closes; allocations they leak would then be reported with stacks that name
// no library, so LeakSanitizer's suppressions for system libraries could not match them.
// Call once a GL context exists.
namespace testing_support {

void KeepGraphicsDriversLoaded();

}  // namespace testing_support
