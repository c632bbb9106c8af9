#include "platform/Counted.h"

namespace quillax {

std::string Counted(int64_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace quillax
