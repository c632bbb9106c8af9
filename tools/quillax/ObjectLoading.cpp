#include "quillax/ObjectLoading.h"

#include "platform/RuntimeError.h"

#include <filesystem>

namespace quillax {

LoadOutcome LoadForCli(const std::string& fileName, ObjectFile& object, ObjectPlacement& placement) {
    try {
        if (LoadObjectFile(fileName, object, placement)) {
            return {true, {}};
        }
    } catch (const RuntimeError& error) {
        return {false, "error " + std::to_string(error.Number()) + ": " + error.Description()};
    } catch (const std::bad_alloc&) {
        return {false, "error 7: Out of memory"};
    }
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) {
        return {false, "no such file"};
    }
    return {false, "not an object file (it does not start with the object file magic DE 7A 3A 00)"};
}

} // namespace quillax
