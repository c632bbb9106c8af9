#pragma once

#include "gdi/StdPicture.h"

#include <string>

namespace quillax {

// The surface's temporary bitmap "DCReload.bmp" lives in a private per-user folder: "quillax-<uid>"
// under $XDG_RUNTIME_DIR, else $TMPDIR or /tmp, made with mode 0700. When that name holds anything
// but a folder of this user that nobody else may enter, it is left alone and a fresh private folder
// made beside it (mkdtemp) serves for the rest of the program, which removes it at its end.

// The file's path; makes or checks the folder first (error 75 when no private folder can be made).
std::string ReloadFilePath();
// Puts the private folder under another base (tests); an empty text restores the usual one.
void SetReloadFolderBase(const std::string& base);

// Writes the picture to the file at path as a 24-bit bitmap and reads it back as a new picture whose
// bitmap is a DIB, then removes the file. The file is never followed through a link and is refused
// unless it is a regular file of this user with one link; it is held against every other program
// doing the same, waiting at most two seconds for one. Each refusal is error 75.
PictureRef RoundTripFileNoFollow(const std::string& path, const PictureRef& picture);

} // namespace quillax
