#include "platform/CleanPath.h"

#include <filesystem>

namespace quillax {

std::string CleanAbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace quillax
