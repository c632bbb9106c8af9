#pragma once

#include <string>

namespace quillax {

// A path as the user should read it: absolute, without "." or ".." steps or doubled separators. Links
// are not followed; the bytes of each name are kept as they are.
std::string CleanAbsolutePath(const std::string& path);

} // namespace quillax
