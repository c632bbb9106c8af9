#pragma once

#include <QByteArray>

#include <string>

namespace quillax {

// The surface's temporary bitmap "DCReload.bmp" lives in a private per-user folder: "quillax-<uid>"
// under $XDG_RUNTIME_DIR, or else the temp folder, made with mode 0700 and refused (error 75)
// unless it is a real folder of this user that nobody else may enter.

// The file's path; makes or checks the folder first.
std::string ReloadFilePath();
// Puts the private folder under another base (tests); an empty text restores the usual one.
void SetReloadFolderBase(const std::string& base);

// Writes a whole file and reads it back, without following a link at its name (error 75 on failure),
// holding it against every other program doing the same meanwhile.
QByteArray RoundTripFileNoFollow(const std::string& path, const QByteArray& bytes);

} // namespace quillax
