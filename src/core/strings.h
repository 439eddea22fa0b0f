#pragma once
// Small text utilities shared by every subsystem: number conversions, command splitting and
// text replacement. All are pure functions.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

std::string IntToString(int value);    // "%i"
// printf "%g" (six significant digits), independent of the locale.
std::string FloatToString(float value);
// strtod of text in the C locale, whatever locale the process runs in: the number at the start
// of text (leading blanks and a sign allowed, the rest ignored); 0 when text begins with none.
double ParseDouble(const char* text);
// The number text begins with, read as ParseDouble reads it, into value; false (value untouched)
// when text begins with no number.
bool ReadLeadingDouble(const char* text, double& value);
// The whole decimal number text begins with (leading blanks and a sign allowed, the rest ignored),
// held to the int32 range, into value; false (value untouched) when text begins with no digit.
bool ReadLeadingInt(const char* text, int32_t& value);

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
