#pragma once
// A file or folder by path; the item may name something that does not exist (yet).

#include "framework/Types.h"

struct stat;

class Picture;
class Sound;

class FolderItem {
public:
    explicit FolderItem(const String& path);

    String Name() const;
    String NativePath() const;
    bool Exists() const;
    bool Directory() const;

    // The item of that name inside this folder, whether or not it exists; nullptr for a
    // name that is not a single path component ("", ".", "..", or one with "/").
    std::shared_ptr<FolderItem> Child(const String& name) const;
    // nullptr for the root.
    std::shared_ptr<FolderItem> Parent() const;

    // A private folder for temporary files on the same mount as this item, so that a file made
    // there can be renamed into this item's place; made when needed. nullptr when there can be
    // none, or when the folder holding this item cannot be written, so that nothing made there
    // could take this item's place. The folder is held open: names of its children are claimed
    // in that very folder (ClaimName), and fail once it has been removed. The first time a
    // process uses the folder, it removes the files that no live process holds, left by runs
    // that were killed.
    std::shared_ptr<FolderItem> TemporaryFolder() const;

    // The four-character type and creator codes; "" when the file has none. Setting returns
    // false on failure. Kept in extended attributes, or, where the file system has none, in
    // the layer's own record that notices when the file is replaced.
    String MacType() const;
    bool SetMacType(const String& code);
    String MacCreator() const;
    bool SetMacCreator(const String& code);

    // The permission bits, as chmod takes them; -1 when the item cannot be reached.
    Int32 Permissions() const;
    bool SetPermissions(Int32 bits);

    // Numbers for the volume and the folder holding this item, as FileExchange resolves them.
    Int32 MacVRefNum() const;
    Int32 MacDirID() const;

    // Removes a file, or a folder that is empty. An item that holds a claim removes its name
    // only while the name gives the claimed file, or a file that no process holds (what an
    // exchange put in its place): never a claim another process has made under the name since.
    bool Delete();

    // Claims this item's name by making it a new empty file, marked as a claim: of callers
    // in any number of processes, at most one gets Made for a name. Taken when an item of
    // that name exists; Failed when nothing can be made there, or when the temporary folder
    // this item was found in is gone. This process holds the claim while this item, or a copy
    // of it, lives, whatever becomes of the file: no other process removes a held claim.
    enum class Claim { Made, Taken, Failed };
    Claim ClaimName();
    // True while this item holds a claim and its name still gives the claimed file.
    bool HoldsClaim() const;
    // True while this item holds a claim that nothing has been written to: opening it for
    // writing, or writing it, ends that.
    bool IsUnwrittenClaim() const;

    // This item with symbolic links followed to the item they finally name (which need not
    // exist); the item itself when it is no link, or when its links go round in a loop.
    std::shared_ptr<FolderItem> Resolved() const;
    // Moves this file to dest, replacing a file there atomically, or into dest when it is a
    // folder. The codes move with it. Across file systems the data are copied to a temporary
    // name in the destination folder and renamed into place, so a failure leaves no half file.
    // On success this item names the new place.
    bool MoveFileTo(const std::shared_ptr<FolderItem>& dest);

    // nullptr when the file is missing, not a regular file, larger than a medium can be, or not
    // a readable picture or sound.
    std::shared_ptr<Picture> OpenAsPicture() const;
    std::shared_ptr<Sound> OpenAsSound() const;

private:
    // An open file or folder, closed with the last item that holds it.
    class Descriptor;

    FolderItem() = default;

    // The claimed file at this item's name, and its state; false when this item holds no claim
    // or the name gives another file.
    bool ClaimedFile(struct stat& info) const;

    String itsPath;
    // For a temporary folder: the folder itself, held open for its children's claims.
    std::shared_ptr<const Descriptor> itsOpenFolder;
    // For a child of a temporary folder: that folder.
    std::shared_ptr<const Descriptor> itsOpenParent;
    // The claimed file, locked.
    std::shared_ptr<const Descriptor> itsClaim;
};

namespace SpecialFolder {
// The user's preferences folder: $XDG_CONFIG_HOME, else ~/.config (made when missing).
std::shared_ptr<FolderItem> Preferences();
} // namespace SpecialFolder

// The "Resources" folder beside the folder of the executable (links resolved), or the
// test override; nullptr when it is not there.
std::shared_ptr<FolderItem> ResourcesFolder();
