#pragma once

#include "recovery/RecoveryAbout.h"
#include "recovery/RecoverySlot.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillax {

// A recovery copy an editor left when it stopped without closing, locked by this editor while held.
struct LeftoverCopy {
    std::shared_ptr<RecoverySlot> Slot;
    // What the copy says it belongs to; an empty path when it says nothing readable.
    RecoveryAbout About;
    // When the copy was last written.
    int64_t WrittenNanoseconds = 0;
};

// The copies in folder whose editors no longer run, newest first. Names such an editor left without a
// copy (a lock, or what a copy said, alone) are cleared away on the way; running editors' names are
// not touched.
std::vector<LeftoverCopy> FindLeftovers(const std::string& folder);

} // namespace quillax
