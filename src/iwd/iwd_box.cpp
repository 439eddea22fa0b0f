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
  // The error box has room for about nine lines of its narrow column: the first failure, cut to a
  // few lines, stands for the others, which Log.txt lists.
  constexpr size_t kShownLength = 44;
  std::string first = failures.front();
  if (first.size() > kShownLength) first = first.substr(0, kShownLength - 3) + "...";
  std::string text = "Some IWD files could not be read completely:\n\n" + first;
  if (failures.size() > 1) text += "\n... and " + IntToString(static_cast<int>(failures.size() - 1)) + " more";
  text += "\n\nSee Log.txt for details.";
  return text;
}
