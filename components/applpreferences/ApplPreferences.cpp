#include "components/applpreferences/ApplPreferences.h"

#include "components/shadowfiler/ShadowFiler.h"
#include "framework/FolderItem.h"
#include "framework/Text.h"
#include "framework/TextInputStream.h"
#include "framework/TextOutputStream.h"
#include "framework/Thread.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const String Marker = "00";
const String PrefsType = "PREF";

// A file shorter than the marker and one data byte holds no data.
constexpr Int32 ShortestFile = 3;
// A file longer than this was not written by the store: it is read no further and, like a
// damaged one, holds no data.
constexpr Int32 LongestFile = 1 << 20;

// Val's result as an Int32: digits beyond the range saturate instead of wrapping.
Int32 ToInt32(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<Int32>(
        std::clamp(value, double(std::numeric_limits<Int32>::min()), double(std::numeric_limits<Int32>::max())));
}

String TwoHexDigits(std::uint8_t component)
{
    return RightB("00" + Hex(component), 2);
}

Int32 HexValue(const String& digits)
{
    return ToInt32(Val("&H" + digits));
}

} // namespace

void ApplPreferences::Constructor(const String& fileName, const String& creator)
{
    FileName = fileName;
    FileCreator = creator;
    ItsData = String();
    SavedData = String();
}

void ApplPreferences::Save()
{
    if (StrComp(ItsData, SavedData, 0) != 0 || SaveMode > 0) {
        MacSave();
    }
}

void ApplPreferences::Restore()
{
    ItsData = String();
    MacRestore();
    if (LenB(ItsData) < ShortestFile || LeftB(ItsData, LenB(Marker)) != Marker) {
        ItsData = String();
    } else {
        ItsData = MidB(ItsData, LenB(Marker) + 1);
    }
    SavedData = ItsData;
}

void ApplPreferences::MacRestore()
{
    const std::shared_ptr<FolderItem> file = MacFileMake(false);
    if (!file) {
        return;
    }
    const std::shared_ptr<TextInputStream> stream = TextInputStream::Open(file);
    if (!stream) {
        return;
    }
    ItsData = stream->Read(LongestFile + 1);
    stream->Close();
    if (LenB(ItsData) > LongestFile) {
        ItsData = String();
    }
}

void ApplPreferences::MacSave()
{
    const std::shared_ptr<FolderItem> file = MacFileMake(true);
    if (!file) {
        return;
    }
    ShadowFiler filer;
    filer.Constructor(file);
    const std::shared_ptr<FolderItem> written = filer.RefShadowFile();
    // Without a shadow the file is written in place, over its old bytes and then cut to length,
    // so that a save cut short never leaves it empty.
    const auto open = filer.RefShadowAvail() ? &TextOutputStream::Create : &TextOutputStream::Overwrite;
    const std::shared_ptr<TextOutputStream> stream = written ? open(written) : nullptr;
    if (!stream) {
        return;
    }
    stream->Write(Marker);
    stream->Write(ItsData);
    // The codes go on before the file is swapped in, so it is never in place unrecognised.
    const bool complete = stream->Close() && written->SetMacCreator(FileCreator) && written->SetMacType(PrefsType);
    if (!complete) {
        // A shadow that did not reach the disk whole, or cannot be marked, never replaces the file.
        filer.Abort();
        return;
    }
    filer.CleanUp();
}

void ApplPreferences::SetData(const String& s)
{
    ItsData = s;
}

String ApplPreferences::GetData()
{
    return ItsData;
}

std::shared_ptr<FolderItem> ApplPreferences::MacFileMake(bool create)
{
    const std::shared_ptr<FolderItem> folder = SpecialFolder::Preferences();
    if (!folder) {
        return nullptr;
    }
    for (Int32 n = 0;; ++n) {
        const std::shared_ptr<FolderItem> candidate = folder->Child(n == 0 ? FileName : FileName + "_" + Str(n));
        YieldToNextThread();
        if (!candidate) {
            return nullptr;
        }
        if (!candidate->Exists()) {
            return create ? candidate : nullptr;
        }
        if (!candidate->Directory() && candidate->MacCreator() == FileCreator &&
            candidate->MacType() == PrefsType) {
            return candidate;
        }
    }
}

String ApplPreferences::VersionInfo()
{
    return "2011-12-04,1";
}

std::shared_ptr<FolderItem> ApplPreferences::WinFileMake(bool)
{
    return nullptr;
}

void ApplPreferences::WinSave() {}

void ApplPreferences::WinRestore() {}

String ApplPreferences::GetPartData(Int32 pos, Int32 len)
{
    return MidB(ItsData, pos, len);
}

void ApplPreferences::SetPartData(const String& s, Int32 pos)
{
    // Positions before the first byte would make the data longer; they change nothing.
    if (pos < 1 || std::int64_t(pos) - 1 + LenB(s) > LenB(ItsData)) {
        return;
    }
    ItsData = MidB(ItsData, 1, pos - 1) + s + MidB(ItsData, pos + LenB(s));
}

bool ApplPreferences::DefaultData(const String& defaults)
{
    if (LenB(defaults) <= LenB(ItsData)) {
        return false;
    }
    ItsData += MidB(defaults, LenB(ItsData) + 1);
    return true;
}

void ApplPreferences::SetPartInteger(Int32 value, Int32 pos, Int32 width)
{
    SetPartData(RightB(Format(value, "0000000000"), width), pos);
}

Int32 ApplPreferences::GetPartInteger(Int32 pos, Int32 width)
{
    return ToInt32(Val(GetPartData(pos, width)));
}

void ApplPreferences::SetPartBoolean(bool b, Int32 pos)
{
    SetPartData(b ? "1" : "0", pos);
}

bool ApplPreferences::GetPartBoolean(Int32 pos)
{
    return GetPartData(pos, 1) != "0";
}

String ApplPreferences::GetTailData(Int32 pos)
{
    return MidB(ItsData, pos);
}

void ApplPreferences::SetTailData(const String& s, Int32 pos)
{
    if (std::int64_t(pos) - 1 > LenB(ItsData)) {
        return;
    }
    ItsData = MidB(ItsData, 1, std::max(pos, 1) - 1) + s;
}

Color ApplPreferences::GetPartColor(Int32 pos)
{
    const String digits = GetPartData(pos, 6);
    if (LenB(digits) < 6) {
        return RGB(0, 0, 0);
    }
    return RGB(HexValue(MidB(digits, 1, 2)), HexValue(MidB(digits, 3, 2)), HexValue(MidB(digits, 5, 2)));
}

void ApplPreferences::SetPartColor(Color c, Int32 pos)
{
    SetPartData(TwoHexDigits(c.Red) + TwoHexDigits(c.Green) + TwoHexDigits(c.Blue), pos);
}

void ApplPreferences::SetSaveMode(Int32 mode)
{
    SaveMode = mode;
}
