#pragma once
// The words of the command language and how one command of a script splits into its word and
// value. VornGUI::Processcmd runs commands split this way; checks of scripts (the menus' tests)
// use the same rule.
#include <string>

// Splits command: leading white space is dropped, the word runs to the first blank and the value
// is everything after it (a command without a blank is both). False when either is empty.
bool ParseCommand(std::string command, std::string& word, std::string& value);
// word is one of the words VornGUI runs ("open", "export_ma", "wait", ...).
bool IsCommandWord(const std::string& word);
// word takes a menu name as its value ("open", "close", "toggle_menu", "force_open", "force_close").
bool IsMenuCommandWord(const std::string& word);
