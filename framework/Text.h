#pragma once
// String functions over UTF-8 byte strings. Byte positions count from 1; Len and Left
// count characters (a multi-byte character counts once).

#include "framework/Types.h"

enum class TextEncoding { UTF8, MacJapanese };

// Characters.
Int32 Len(const String& s);
String Left(const String& s, Int32 count);

// Bytes.
Int32 LenB(const String& s);
String LeftB(const String& s, Int32 count);
String RightB(const String& s, Int32 count);
// From byte position pos (1 = first) to the end, or at most count bytes; nothing beyond the end.
String MidB(const String& s, Int32 pos);
String MidB(const String& s, Int32 pos, Int32 count);

// The code point of the first character (0 for an empty string), and the one-character
// string of a code point.
Int32 Asc(const String& s);
String Chr(Int32 code);

// The number at the start of s (leading blanks skipped), 0 when there is none.
// "&H" starts a hexadecimal number, "&O" octal, "&B" binary.
double Val(const String& s);
String Str(Int32 value);
String Str(double value);
// Upper-case hexadecimal; negative values as their 32-bit two's complement.
String Hex(Int32 value);

// Formats value by pattern: "0" a digit that is always shown, "#" a digit shown when
// significant, "." the decimal point, "," thousands separators; other characters are literal.
// Example: Format(42, "000000") is "000042".
String Format(double value, const String& pattern);

// -1, 0 or 1. Mode 0 compares bytes; any other mode ignores ASCII letter case.
Int32 StrComp(const String& a, const String& b, Int32 mode);

// The UTF-8 text s in the given encoding. Characters the encoding lacks become "?".
String ConvertEncoding(const String& s, TextEncoding encoding);
