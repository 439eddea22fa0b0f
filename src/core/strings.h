#pragma once
// Small text utilities shared by every subsystem: number conversions, command splitting and
// text replacement. All are pure functions.
#include <sstream>
#include <string>
#include <vector>

std::string IntToString(int value);    // "%i"
// printf "%g" (six significant digits), independent of the locale.
std::string FloatToString(float value);
// strtod of text in the C locale, whatever locale the process runs in: the number at the start
// of text (leading blanks and a sign allowed, the rest ignored); 0 when text begins with none.
double ParseDouble(const char* text);

// Reads value from text through a string stream with the given manipulator (std::dec for
// every caller). True when the read did not fail.
template <class T>
bool from_string(T& value, const std::string& text, std::ios_base& (*manipulator)(std::ios_base&)) {
  std::istringstream stream(text);
  return !(stream >> manipulator >> value).fail();
}

// The pieces between ";" in order; empty pieces are dropped, nothing is trimmed.
std::vector<std::string> SplitCommands(const std::string& script);

// Replaces every occurrence of from by to, left to right, continuing after the inserted text.
// An empty from changes nothing.
void ReplaceAll(std::string& subject, const std::string& from, const std::string& to);
std::string StringReplaceCopy(std::string text, const std::string& from, const std::string& to);
// Every "~" becomes "_".
void ReplaceTildes(std::string& text);
