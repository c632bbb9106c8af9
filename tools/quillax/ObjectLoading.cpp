#include "quillax/ObjectLoading.h"

#include "platform/RuntimeError.h"
#include "quillax/CliCommand.h"
#include "quillax/StandardStreams.h"

#include <filesystem>

namespace quillax {

LoadOutcome LoadForCli(const std::string& name, ObjectFile& object, ObjectPlacement& placement) {
    const InputPath input = OpenableInput(name);
    if (input.Path.empty()) {
        return {false, input.Error};
    }
    try {
        if (LoadObjectFile(input.Path, object, placement)) {
            return {true, {}};
        }
    } catch (const RuntimeError& error) {
        return {false, ErrorText(error)};
    } catch (const std::bad_alloc&) {
        return {false, "error 7: Out of memory"};
    }
    std::error_code error;
    if (!std::filesystem::exists(input.Path, error)) {
        return {false, NoSuchFile};
    }
    return {false, "not an object file (it does not start with the object file magic DE 7A 3A 00)"};
}

LoadOutcome LoadForCli(const std::string& name, ObjectFile& object) {
    ObjectPlacement placement;
    return LoadForCli(name, object, placement);
}

} // namespace quillax
