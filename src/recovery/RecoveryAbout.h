#pragma once

#include "document/FileStamp.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillax {

// What a recovery copy belongs to: the file's clean absolute path (empty for an object that had no
// file) and the stamp of the file as the edits began from it.
struct RecoveryAbout {
    std::string Path;
    std::optional<FileStamp> Stamp;

    bool operator==(const RecoveryAbout&) const = default;
};

// A few lines of text, the path percent-encoded so that any bytes survive.
std::string AboutText(const RecoveryAbout& about);
// None for a text that AboutText did not write.
std::optional<RecoveryAbout> ParseAbout(std::string_view text);

} // namespace quillax
