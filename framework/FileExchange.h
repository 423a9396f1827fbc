#pragma once
// The exchange of two files' contents, given as file records: vRefNum Int16 at 0, parID
// Int32 at 2, and at 6 the name in MacJapanese with a length byte in front (up to 63 bytes).
// The records name the folder by the numbers that FolderItem::MacVRefNum/MacDirID give.

#include "framework/Types.h"

class FolderItem;
class MemoryBlock;

// Swaps the two files atomically: afterwards each name holds the other's former contents.
// 0 on success; a non-zero error, with nothing changed, when a record names no regular
// file, the two lie on different file systems, or the swap fails.
Int32 FSpExchangeFiles(const MemoryBlock& record1, const MemoryBlock& record2);

// True when the record names this very file (the same device and inode): a name that its
// encoding or its cut to 63 bytes has changed may name another file, or none.
bool FSpNamesFile(const MemoryBlock& record, const FolderItem& file);
