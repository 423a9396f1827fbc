#pragma once
// Conversion between UTF-8 and the MacJapanese (Shift_JIS family) bytes of file records.
// A character that has no place in the other encoding becomes "?".

#include <string>

std::string Utf8ToMacJapanese(const std::string& text);
std::string MacJapaneseToUtf8(const std::string& bytes);
