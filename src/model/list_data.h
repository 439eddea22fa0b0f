#pragma once
// ListData: the pairs (row text, value) that a list box keeps beside the names it shows. The
// model list's list box shortens names too wide for it and records each full name here with the
// row's index as value, so a click still passes the full name on; the model list keeps one
// ListData for all names and one for the filtered names. A plain record, owned and locked by its
// user.
#include <string>
#include <vector>

struct ListData {
  int selection = -1;              // index of the selected row, -1 for none
  std::vector<std::string> rows;   // row texts
  std::vector<int> values;         // one value per row, in step with rows

  // Appends a row with its value.
  void AddRow(const std::string& text, int value);
  // Empties rows and values; no row is selected.
  void Clear();
  // Selects the first row whose value equals value and returns true; false (selection
  // unchanged) when no row has it.
  bool IndexOfValue(int value);
  // The text of the selected row; empty when no row is selected.
  std::string RowName() const;
};
