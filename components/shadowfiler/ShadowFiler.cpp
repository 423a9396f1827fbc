#include "components/shadowfiler/ShadowFiler.h"

#include "framework/FileExchange.h"
#include "framework/FolderItem.h"
#include "framework/MemoryBlock.h"
#include "framework/Text.h"
#include "framework/Thread.h"

namespace {

// A shadow name is the target's name cut to this many bytes, then a six-digit counter.
constexpr Int32 ShadowNameBytes = 25;
// The counter search stops once this counter has been passed: 900001 is the last one tried.
constexpr Int32 LastCounterBeforeGivingUp = 900000;
// How often the temporary folder is looked up when no name could be claimed in it.
constexpr Int32 TemporaryFolderLookups = 3;

// A file record: vRefNum Int16 at 0, parID Int32 at 2, the length-prefixed name at 6.
constexpr Int32 FileRecordSize = 70;
constexpr Int32 FileRecordNameBytes = 63;

void WriteFileRecord(MemoryBlock& record, const FolderItem& file)
{
    const String name = LeftB(ConvertEncoding(file.Name(), TextEncoding::MacJapanese), FileRecordNameBytes);
    record.SetInt16Value(0, file.MacVRefNum());
    record.SetInt32Value(2, file.MacDirID());
    record.SetByte(6, LenB(name));
    record.SetStringValue(7, name);
}

// Claims the first free name in the folder made of the name and a counter, as it is found, so no
// other filer, here or in another process, can take the same shadow. The last name tried is left
// in claimed.
FolderItem::Claim ClaimFreeName(const FolderItem& folder, const String& name, std::shared_ptr<FolderItem>& claimed)
{
    Int32 counter = 0;
    FolderItem::Claim claim = FolderItem::Claim::Taken;
    do {
        ++counter;
        claimed = folder.Child(name + Format(counter, "000000"));
        YieldToNextThread();
        claim = claimed->ClaimName();
    } while (claim == FolderItem::Claim::Taken && counter <= LastCounterBeforeGivingUp);
    return claim;
}

} // namespace

ShadowFiler::~ShadowFiler()
{
    DropUnwrittenClaim();
}

void ShadowFiler::Constructor(std::shared_ptr<FolderItem> target)
{
    ItsShadowFile = nullptr;
    IsShadowAvail = false;
    IsFsspAvail = false;
    if (!target || target->Directory()) {
        ItsBaseFile = nullptr;
        ItsStatus = NoTarget;
        return;
    }
    // A link keeps pointing at the file: the file it names is the one replaced.
    const std::shared_ptr<FolderItem> resolved = target->Resolved();
    ItsBaseFile = resolved->NativePath() == target->NativePath() ? target : resolved;
    std::shared_ptr<FolderItem> temporary = ItsBaseFile->TemporaryFolder();
    if (!temporary) {
        ItsStatus = NoTemporaryFolder;
        return;
    }

    String name = ItsBaseFile->Name();
    while (LenB(name) > ShadowNameBytes) {
        name = Left(name, Len(name) - 1);
        YieldToNextThread();
    }
    FolderItem::Claim claim = ClaimFreeName(*temporary, name, ItsShadowFile);
    // Another copy of the game removes the temporary folder when it quits and leaves it empty,
    // which may fall between the look-up and the claim: the folder is then looked up, and so
    // made, again.
    for (Int32 lookup = 1; claim == FolderItem::Claim::Failed && lookup < TemporaryFolderLookups; ++lookup) {
        temporary = ItsBaseFile->TemporaryFolder();
        if (!temporary) {
            break;
        }
        claim = ClaimFreeName(*temporary, name, ItsShadowFile);
    }
    // A name that is not this filer's is never handed out: without one, the target is.
    if (claim != FolderItem::Claim::Made) {
        ItsShadowFile = nullptr;
        ItsStatus = claim == FolderItem::Claim::Taken ? NoFreeShadowName : NoTemporaryFolder;
        return;
    }
    IsShadowAvail = true;
    ItsStatus = ShadowReady;

    TheFSSP1 = MemoryBlock::New(FileRecordSize);
    TheFSSP2 = MemoryBlock::New(FileRecordSize);
    IsFsspAvail = TheFSSP1 && TheFSSP2;
    if (!IsFsspAvail) {
        ItsStatus = ShadowWithoutRecords;
    }
}

String ShadowFiler::VersionInfo()
{
    return "2011-11-25,1";
}

std::shared_ptr<FolderItem> ShadowFiler::RefShadowFile()
{
    return IsShadowAvail ? ItsShadowFile : ItsBaseFile;
}

bool ShadowFiler::RefShadowAvail()
{
    return IsShadowAvail;
}

void ShadowFiler::CleanUp()
{
    DropUnwrittenClaim();
    // Only the file this filer claimed and had written takes the target's place.
    if (IsShadowAvail && ItsShadowFile->HoldsClaim()) {
        if (!ItsBaseFile->Exists()) {
            if (!ItsShadowFile->MoveFileTo(ItsBaseFile)) {
                // New contents that cannot take the target's place are not left behind.
                ItsShadowFile->Delete();
            }
        } else {
            // The new contents keep the permission bits the file had: a private file stays private.
            ItsShadowFile->SetPermissions(ItsBaseFile->Permissions());
            if (IsFsspAvail && TbExchangeFiles(ItsBaseFile, ItsShadowFile)) {
                // The shadow's name now gives the old contents.
                ItsShadowFile->Delete();
            } else if (!ItsShadowFile->MoveFileTo(ItsBaseFile)) {
                // The move replaces the target in one step, so the target is never missing. Only
                // where it cannot replace an existing file is the target deleted first, and only
                // while the shadow to take its place is in hand; a shadow that can never take the
                // target's place is not left behind.
                if (ItsShadowFile->HoldsClaim() && ItsBaseFile->Delete()) {
                    ItsShadowFile->MoveFileTo(ItsBaseFile);
                } else {
                    ItsShadowFile->Delete();
                }
            }
        }
    }
    ItsBaseFile = nullptr;
    ItsShadowFile = nullptr;
    IsShadowAvail = false;
    ItsStatus = CleanedUp;
}

bool ShadowFiler::TbExchangeFiles(const std::shared_ptr<FolderItem>& file1,
                                  const std::shared_ptr<FolderItem>& file2)
{
    WriteFileRecord(*TheFSSP1, *file1);
    WriteFileRecord(*TheFSSP2, *file2);
    // A record whose name came out changed may name an unrelated file; that one is never
    // swapped, and the shadow replaces the target by name instead.
    return FSpNamesFile(*TheFSSP1, *file1) && FSpNamesFile(*TheFSSP2, *file2) &&
           FSpExchangeFiles(*TheFSSP1, *TheFSSP2) == 0;
}

void ShadowFiler::Abort()
{
    if (IsShadowAvail && ItsShadowFile->Exists()) {
        ItsShadowFile->Delete();
    }
    ItsBaseFile = nullptr;
    ItsShadowFile = nullptr;
    IsShadowAvail = false;
    ItsStatus = Aborted;
}

Int32 ShadowFiler::RefStatus()
{
    return ItsStatus;
}

void ShadowFiler::DropUnwrittenClaim()
{
    if (IsShadowAvail && ItsShadowFile->IsUnwrittenClaim()) {
        ItsShadowFile->Delete();
    }
}
