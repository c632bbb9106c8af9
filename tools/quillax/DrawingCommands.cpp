#include "quillax/DrawingCommands.h"

#include "quillax/CliText.h"
#include "quillax/DrawingModule.h"

#include <dlfcn.h>

namespace quillax {

namespace {
struct LoadedModule {
    DrawingEntry Entry = nullptr;
    std::string Error;
};

// Found through the program's run path, which leads from the program to its libraries.
LoadedModule LoadModule() {
    void* const module = dlopen(DrawingModuleName, RTLD_LAZY | RTLD_LOCAL);
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
