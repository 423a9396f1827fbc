#include "framework/MacJapanese.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// Shift_JIS as Windows extends it; MacJapanese differs in the single bytes handled below.
constexpr const char* ShiftJis = "CP932";

// The length of the UTF-8 character starting with lead (1 for a stray byte).
std::size_t Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead < 0xF0 ? 3 : 1;
    }
    return lead >= 0xC0 ? 2 : 1;
}

std::size_t ShiftJisLength(unsigned char lead)
{
    const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    return doubleByte ? 2 : 1;
}

// Converts with iconv; an input character iconv refuses becomes '?', the character's length
// in the source encoding given by skip.
std::string Convert(const std::string& input, const char* from, const char* to, std::size_t (*skip)(unsigned char))
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::string(input.size(), '?');
    }
    std::string output;
    char buffer[256];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out - buffer);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: an unconvertible or cut-off character.
            const std::size_t length = std::min(skip(static_cast<unsigned char>(*in)), inLeft);
            output += '?';
            in += length;
            inLeft -= length;
        }
    }
    iconv_close(cd);
    return output;
}

// MacJapanese puts the yen sign at 0x5C and the backslash at 0x80, where Shift_JIS has
// the backslash and nothing.
struct SingleByte {
    const char* utf8;
    const char* mac;
};
constexpr SingleByte MacSpecials[] = {{"\xC2\xA5", "\x5C"}, {"\\", "\x80"}};

// Converts input whole characters at a time, the special characters by the table.
std::string ConvertWithSpecials(const std::string& input, bool toMac)
{
    const char* from = toMac ? "UTF-8" : ShiftJis;
    const char* to = toMac ? ShiftJis : "UTF-8";
    const auto length = toMac ? Utf8Length : ShiftJisLength;
    std::string result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < input.size();) {
        const std::size_t n = length(static_cast<unsigned char>(input[i]));
        for (const SingleByte& special : MacSpecials) {
            const std::string source = toMac ? special.utf8 : special.mac;
            if (input.compare(i, n, source) == 0) {
                result += Convert(input.substr(start, i - start), from, to, length);
                result += toMac ? special.mac : special.utf8;
                start = i + n;
            }
        }
        i += n;
    }
    result += Convert(input.substr(start), from, to, length);
    return result;
}

} // namespace

std::string Utf8ToMacJapanese(const std::string& text)
{
    return ConvertWithSpecials(text, true);
}

std::string MacJapaneseToUtf8(const std::string& bytes)
{
    return ConvertWithSpecials(bytes, false);
}
