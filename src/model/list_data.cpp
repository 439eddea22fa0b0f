#include "model/list_data.h"

void ListData::AddRow(const std::string& text, int value) {
  rows.push_back(text);
  values.push_back(value);
}

void ListData::Clear() {
  rows.clear();
  values.clear();
  selection = -1;
}

bool ListData::IndexOfValue(int value) {
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] == value) {
      selection = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

std::string ListData::RowName() const {
  if (selection < 0 || static_cast<size_t>(selection) >= rows.size()) return {};
  return rows[selection];
}
