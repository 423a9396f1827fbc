#pragma once
// An application's settings as one byte string of fixed-position parts, read once from a file
// in the user's preferences folder (Restore) and written back only when changed (Save).
// Positions count bytes from 1, lengths count bytes; the store knows nothing of the parts'
// meaning. The file holds the marker "00", then the data bytes, and has type "PREF".

#include "framework/Color.h"
#include "framework/Types.h"

class FolderItem;

class ApplPreferences {
public:
    virtual ~ApplPreferences() = default;

    virtual void Constructor(const String& fileName, const String& creator);
    virtual void Save();
    virtual void Restore();

protected:
    virtual void MacRestore();
    virtual void MacSave();

public:
    virtual void SetData(const String& s);
    virtual String GetData();

protected:
    // The first of FileName, FileName_1, FileName_2, ... that is this store's file or free
    // (a free name only when create is True; else null).
    virtual std::shared_ptr<FolderItem> MacFileMake(bool create);

public:
    virtual String VersionInfo();

protected:
    // Other platforms' file operations; Save and Restore never call them.
    virtual std::shared_ptr<FolderItem> WinFileMake(bool create);
    virtual void WinSave();
    virtual void WinRestore();

public:
    virtual String GetPartData(Int32 pos, Int32 len);
    // Overwrites in place; a part that does not fit inside the data changes nothing.
    virtual void SetPartData(const String& s, Int32 pos);
    // Appends the defaults' bytes beyond the current data; True when it did.
    virtual bool DefaultData(const String& defaults);
    // The last width digits of value, zero-padded to ten.
    virtual void SetPartInteger(Int32 value, Int32 pos, Int32 width);
    virtual Int32 GetPartInteger(Int32 pos, Int32 width);
    virtual void SetPartBoolean(bool b, Int32 pos);
    // False only for the byte "0".
    virtual bool GetPartBoolean(Int32 pos);
    virtual String GetTailData(Int32 pos);
    // Replaces everything from pos on, so the data may grow or shrink.
    virtual void SetTailData(const String& s, Int32 pos);
    // Six hexadecimal digits, red first; black when fewer than six bytes are there.
    virtual Color GetPartColor(Int32 pos);
    virtual void SetPartColor(Color c, Int32 pos);
    // Above 0: Save writes even unchanged data.
    virtual void SetSaveMode(Int32 mode);

protected:
    String FileName;
    String FileCreator;
    String ItsData;
    String SavedData;
    Int32 SaveMode = 0;
};
