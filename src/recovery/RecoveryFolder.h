#pragma once

#include <string>

namespace quillax {

// Where the editor keeps recovery copies: quillax-editor/recovery in the user's state folder
// ($XDG_STATE_HOME, else ~/.local/state). Read from the environment at each call.
std::string RecoveryFolder();

// Makes the folder and the missing ones above it, private to the user (0700); false when it cannot.
bool MakeRecoveryFolder(const std::string& folder);

} // namespace quillax
