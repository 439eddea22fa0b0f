#include "program_driver.h"

#include <thread>

#include "app/win_main.h"
#include "platform/events.h"
#include "support/graphics_driver.h"
#include "support/wait_until.h"

namespace testing_support {

int RunProgramDriven(const std::string& programFolder, const std::function<void()>& drive) {
  std::thread driver([&] {
    struct QuitAtEnd {
      ~QuitAtEnd() {
        platform::Event quit;
        quit.type = platform::EventType::Quit;
        platform::PostEvent(quit);
      }
    } quitAtEnd;
    if (!WaitUntil([] { return platform::TryPostToMainThread([] {}); })) return;
    KeepGraphicsDriversLoaded();
    drive();
  });
  const int exitCode = RunProgram(programFolder);
  driver.join();
  return exitCode;
}

}  // namespace testing_support
