#include "framework/Text.h"

#include "framework/MacJapanese.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset where character number index (from 0) starts, or s.size().
std::size_t CharacterOffset(const String& s, Int32 index)
{
    std::size_t offset = 0;
    for (Int32 seen = 0; offset < s.size(); ++offset) {
        if (!IsContinuation(s[offset]) && seen++ == index) {
            return offset;
        }
    }
    return s.size();
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

double RadixValue(const String& s, std::size_t at, int radix)
{
    std::uint64_t value = 0;
    for (; at < s.size() && DigitValue(s[at]) < radix; ++at) {
        value = value * radix + DigitValue(s[at]);
    }
    return static_cast<double>(value);
}

// The length of the decimal number (sign, digits, point, exponent) at the start of s.
std::size_t DecimalLength(std::string_view s)
{
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
        }
        return i - from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return 0;
    }
    const std::size_t beforeExponent = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            i = beforeExponent;
        }
    }
    return i;
}

String ToChars(double value, std::chars_format format, int precision)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return String(buffer, result.ptr);
}

// Inserts a comma between groups of three digits.
String GroupThousands(const String& digits)
{
    String result;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            result += ',';
        }
        result += digits[i];
    }
    return result;
}

bool IsPlaceholder(char c)
{
    return c == '0' || c == '#';
}

} // namespace

Int32 Len(const String& s)
{
    return static_cast<Int32>(std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(c); }));
}

String Left(const String& s, Int32 count)
{
    return count <= 0 ? String() : s.substr(0, CharacterOffset(s, count));
}

Int32 LenB(const String& s)
{
    return static_cast<Int32>(s.size());
}

String LeftB(const String& s, Int32 count)
{
    return count <= 0 ? String() : s.substr(0, static_cast<std::size_t>(count));
}

String RightB(const String& s, Int32 count)
{
    if (count <= 0) {
        return String();
    }
    const std::size_t n = std::min(s.size(), static_cast<std::size_t>(count));
    return s.substr(s.size() - n);
}

String MidB(const String& s, Int32 pos)
{
    return MidB(s, pos, LenB(s));
}

String MidB(const String& s, Int32 pos, Int32 count)
{
    if (pos < 1 || count <= 0 || static_cast<std::size_t>(pos) > s.size()) {
        return String();
    }
    return s.substr(static_cast<std::size_t>(pos) - 1, static_cast<std::size_t>(count));
}

Int32 Asc(const String& s)
{
    if (s.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(s[0]);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || s.size() < static_cast<std::size_t>(length)) {
        return lead;
    }
    Int32 code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    }
    return code;
}

String Chr(Int32 code)
{
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return String();
    }
    String s;
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | (code >> 6));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        s += static_cast<char>(0xE0 | (code >> 12));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (code >> 18));
        s += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
    return s;
}

double Val(const String& s)
{
    const std::size_t start = s.find_first_not_of(" \t");
    if (start == String::npos) {
        return 0.0;
    }
    if (s[start] == '&' && start + 1 < s.size()) {
        switch (s[start + 1]) {
        case 'h':
        case 'H':
            return RadixValue(s, start + 2, 16);
        case 'o':
        case 'O':
            return RadixValue(s, start + 2, 8);
        case 'b':
        case 'B':
            return RadixValue(s, start + 2, 2);
        default:
            return 0.0;
        }
    }
    std::string_view number(s);
    number.remove_prefix(start);
    number = number.substr(0, DecimalLength(number));
    if (!number.empty() && number[0] == '+') {
        number.remove_prefix(1);
    }
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

String Str(Int32 value)
{
    return std::to_string(value);
}

String Str(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return ToChars(value, std::chars_format::fixed, 0);
    }
    return ToChars(value, std::chars_format::general, 7);
}

String Hex(Int32 value)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    String s;
    do {
        s.insert(s.begin(), Digits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return s;
}

String Format(double value, const String& pattern)
{
    std::size_t first = pattern.find_first_of("0#");
    if (first == String::npos || !std::isfinite(value)) {
        return pattern;
    }
    if (first > 0 && pattern[first - 1] == '.') {
        --first;
    }
    const std::size_t last = pattern.find_last_of("0#");
    const String body = pattern.substr(first, last - first + 1);
    const std::size_t point = body.find('.');
    const String integerPart = body.substr(0, point);
    const String fractionPart = point == String::npos ? String() : body.substr(point + 1);

    const auto minIntegerDigits = std::count(integerPart.begin(), integerPart.end(), '0');
    const auto maxDecimals = std::count_if(fractionPart.begin(), fractionPart.end(), IsPlaceholder);
    const auto minDecimals = std::count(fractionPart.begin(), fractionPart.end(), '0');

    String digits = ToChars(std::fabs(value), std::chars_format::fixed, static_cast<int>(maxDecimals));
    const std::size_t dot = digits.find('.');
    String integerDigits = digits.substr(0, dot);
    String decimals = dot == String::npos ? String() : digits.substr(dot + 1);
    while (static_cast<long>(decimals.size()) > minDecimals && decimals.back() == '0') {
        decimals.pop_back();
    }
    if (integerDigits == "0" && minIntegerDigits == 0) {
        integerDigits.clear();
    }
    if (static_cast<long>(integerDigits.size()) < minIntegerDigits) {
        integerDigits.insert(0, minIntegerDigits - integerDigits.size(), '0');
    }
    if (integerPart.find(',') != String::npos) {
        integerDigits = GroupThousands(integerDigits);
    }
    const bool negative = value < 0 && (integerDigits.find_first_not_of("0,") != String::npos ||
                                        decimals.find_first_not_of('0') != String::npos);
    String number = (negative ? "-" : "") + integerDigits;
    if (point != String::npos) {
        number += "." + decimals;
    }
    return pattern.substr(0, first) + number + pattern.substr(last + 1);
}

Int32 StrComp(const String& a, const String& b, Int32 mode)
{
    int result = 0;
    if (mode == 0) {
        result = a.compare(b);
    } else {
        auto fold = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
        const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                            [&](char x, char y) { return fold(x) == fold(y); });
        if (mismatch.first == a.end()) {
            result = mismatch.second == b.end() ? 0 : -1;
        } else if (mismatch.second == b.end()) {
            result = 1;
        } else {
            result = fold(*mismatch.first) - fold(*mismatch.second);
        }
    }
    return (result > 0) - (result < 0);
}

String ConvertEncoding(const String& s, TextEncoding encoding)
{
    return encoding == TextEncoding::MacJapanese ? Utf8ToMacJapanese(s) : s;
}
