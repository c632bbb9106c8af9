#include "quillax/DrawingCommands.h"

#include "quillax/CliText.h"
#include "quillax/DrawingModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace quillax {

namespace {
struct LoadedModule {
    DrawingEntry Entry = nullptr;
    std::string Error;
};

// From the program's own file, never from the working folder. The run path would not do: a
// sanitizer's loader calls dlopen in the program's stead.
LoadedModule LoadModule() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {nullptr, "cannot find the program's own file: " + error.message()};
    }
    const std::filesystem::path file = program.parent_path() / QUILLAX_MODULE_FROM_BIN / DrawingModuleName;
    void* const module = dlopen(file.lexically_normal().c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (module == nullptr) {
        return {nullptr, dlerror()};
    }
    auto* const entry = reinterpret_cast<DrawingEntry>(dlsym(module, DrawingEntryName));
    if (entry == nullptr) {
        return {nullptr, dlerror()};
    }
    return {entry, {}};
}
} // namespace

int RunDrawingCommand(const std::string& name, const CliContext& context) {
    // Kept loaded: the module's code runs until the program exits.
    static const LoadedModule loaded = LoadModule();
    if (loaded.Entry == nullptr) {
        context.Err << "quillax " << name
                    << ": cannot load the drawing commands: " << EscapedText(loaded.Error) << "\n";
        return ExitStatus::Failed;
    }
    return loaded.Entry(name.c_str(), context);
}

} // namespace quillax
