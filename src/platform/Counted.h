#pragma once

#include <cstdint>
#include <string>

namespace quillax {

// A count with its noun in number: "1 mesh", "2 meshes".
std::string Counted(int64_t count, const std::string& one, const std::string& many);

} // namespace quillax
