#pragma once
// Replaces a file safely. The caller writes the new contents into a shadow file that the filer
// claims in the target's temporary folder, then CleanUp puts the shadow in the target's place.
// When no shadow can be had, the filer hands back the target itself, to be written in place.

#include "framework/Types.h"

class FolderItem;
class MemoryBlock;

class ShadowFiler {
public:
    // What RefStatus gives.
    enum Status : Int32 {
        // No target, or a folder: nothing is handed out.
        NoTarget = 0,
        ShadowReady = 1,
        CleanedUp = 2,
        Aborted = 3,
        // The shadow is ready, but no memory for the file records: CleanUp replaces by name.
        ShadowWithoutRecords = -1,
        // The target's volume has no temporary folder, the target's folder cannot be written,
        // or no shadow can be made in the temporary folder: the target is handed out.
        NoTemporaryFolder = -2,
        // Every shadow name was taken: the target is handed out.
        NoFreeShadowName = -3,
    };

    // A filer dropped unfinished leaves what was written into its shadow, but no shadow
    // that was never written.
    virtual ~ShadowFiler();

    // Chooses a free shadow name and claims it with an empty file, so that no other filer
    // takes it. A target that is a symbolic link stands for the file it names.
    virtual void Constructor(std::shared_ptr<FolderItem> target);
    virtual String VersionInfo();
    // The file to write: the shadow when one is in use, else the target (null for a folder
    // and once the filer has ended).
    virtual std::shared_ptr<FolderItem> RefShadowFile();
    virtual bool RefShadowAvail();
    // Puts the written shadow in the target's place, with the target's permission bits, and
    // ends the filer.
    virtual void CleanUp();

protected:
    // Swaps the two files' contents through their file records; True on success.
    virtual bool TbExchangeFiles(const std::shared_ptr<FolderItem>& file1,
                                 const std::shared_ptr<FolderItem>& file2);

public:
    // Deletes the shadow and ends the filer; the target is never touched.
    virtual void Abort();
    virtual Int32 RefStatus();

protected:
    std::shared_ptr<FolderItem> ItsBaseFile;
    std::shared_ptr<FolderItem> ItsShadowFile;
    bool IsShadowAvail = false;
    // A Status.
    Int32 ItsStatus = NoTarget;
    std::shared_ptr<MemoryBlock> TheFSSP1;
    std::shared_ptr<MemoryBlock> TheFSSP2;
    bool IsFsspAvail = false;

private:
    // Removes the shadow when it is still the empty claim that the constructor made.
    void DropUnwrittenClaim();
};
