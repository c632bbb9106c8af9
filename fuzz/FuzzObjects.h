#pragma once

#include "objects/modObjects.h"
#include "platform/RuntimeError.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillax {

// What the object targets share, header-only since the support library links no objects.

// A finding: what differed, then an abort, which the fuzzer keeps the input for.
[[noreturn]] inline void FuzzFinding(const char* target, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", target, what.c_str());
    std::abort();
}

// Loads a file as the editor does; a file the loader refuses, with an error or without, is no object.
inline bool LoadFuzzObject(const std::string& path, ObjectFile& object) {
    ObjectPlacement placement;
    try {
        return LoadObjectFile(path, object, placement);
    } catch (const RuntimeError&) {
        return false;
    }
}

} // namespace quillax
