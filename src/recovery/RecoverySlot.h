#pragma once

#include "platform/FileDescriptor.h"

#include <memory>
#include <string>

namespace quillax {

// One editor's place in the recovery folder, under a name of its own: NAME.lin (the recovery copy,
// the object's bytes as a save writes them), NAME.about (the file it belongs to) and NAME.lock, which
// the editor holding the name keeps locked (flock) while it runs. The lock goes with the process, so
// a name whose lock can be taken belongs to an editor that stopped without closing, and a second
// editor never takes a running one's copy for a leftover.
class RecoverySlot {
public:
    // A new name, locked by this process; none when the folder cannot be made or written.
    static std::shared_ptr<RecoverySlot> Claim(const std::string& folder);
    // The name of an editor that no longer runs, locked now by this one; none while its editor still
    // holds it, or when it was given up meanwhile.
    static std::shared_ptr<RecoverySlot> Take(const std::string& folder, const std::string& name);

    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    const std::string& Name() const { return SlotName; }
    std::string CopyPath() const { return Folder + "/" + SlotName + ".lin"; }
    std::string AboutPath() const { return Folder + "/" + SlotName + ".about"; }
    std::string LockPath() const { return Folder + "/" + SlotName + ".lock"; }

    // Removes the copy and what it says of itself; the name stays this editor's.
    void RemoveCopy() const;
    // Removes the lock file as well: the name is given up once the last holder lets it go.
    void RemoveAll() const;

private:
    RecoverySlot(std::string folder, std::string name, FileDescriptor lock);

    std::string Folder;
    std::string SlotName;
    FileDescriptor Lock;
};

} // namespace quillax
