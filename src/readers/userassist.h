#pragma once
// Readers of the UserAssist keys (catalog items 7 to 9): the value names of a GUID's "Count" key,
// numbered in enumeration order and decoded from ROT13. Only names are shown; the usage data
// the values hold is not read.

#include <string>
#include <string_view>

#include "readers/reader.h"

namespace tw {

// Maps the 52 ASCII letters 13 places on within their case; every other byte stays.
char DecodeRot13Char(char c);
// The text with every character mapped by DecodeRot13Char.
std::string DecodeRot13(std::string_view text);

void ReadUserAssist0D6D4F41(ReaderContext& ctx); // 7
void ReadUserAssist5E6AB780(ReaderContext& ctx); // 8
void ReadUserAssist75048700(ReaderContext& ctx); // 9

} // namespace tw
