#include "iwd/iwd_box.h"

#include "core/strings.h"

std::string IwiProgressText(int32_t moved, int32_t skipped) {
  return "\n\n" + IntToString(moved) + "\n\n" + IntToString(skipped);
}

int ScanProgressValue(int32_t currentIwd, int32_t iwdCount) {
  if (iwdCount <= 0) return 0;
  // Left to right in double, as the bar has always been computed.
  return static_cast<int>(static_cast<double>(currentIwd) / iwdCount * 100 * 0.01 * 150);
}

std::string ScanFailureMessage(const std::vector<std::string>& failures) {
  if (failures.empty()) return {};
  constexpr size_t kShown = 5;
  std::string text = "Some IWD files could not be read completely:\n";
  for (size_t i = 0; i < failures.size() && i < kShown; ++i) text += "\n" + failures[i];
  if (failures.size() > kShown) text += "\n... and " + IntToString(static_cast<int>(failures.size() - kShown)) + " more";
  text += "\n\nSee Log.txt for details.";
  return text;
}
