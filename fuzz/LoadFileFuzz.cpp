#include "ByteArray2D.h"
#include "MessageBoxService.h"
#include "TempBitmapFile.h"
#include "clsOffScreenDC.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// Feeds arbitrary bytes to clsOffScreenDC::LoadFile, on a surface that already holds an image,
// then uses whatever the surface holds. Errors are expected and recorded silently; a crash, a
// sanitizer report, a leak or a surface whose size disagrees with its pixels is a finding.
namespace {
// Each input costs a few small file writes: a memory-backed folder makes them cheap.
std::string MakeWorkFolder() {
    for (const std::string base : {"/dev/shm", "/tmp"}) {
        std::string name = base + "/quillax-fuzz-XXXXXX";
        if (mkdtemp(name.data()) != nullptr) {
            SetReloadFolderBase(name);
            return name;
        }
    }
    std::abort();
}

// Removed again when the run ends.
struct WorkFolderOwner {
    ~WorkFolderOwner() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::string Path = MakeWorkFolder();
};

const std::string& WorkFolder() {
    static const WorkFolderOwner folder;
    return folder.Path;
}

void CheckConsistent(clsOffScreenDC& surface) {
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    if (pixels.IsAllocated() &&
        (pixels.Count1() != 3 * int64_t{surface.GetWidth()} || pixels.Count2() != surface.GetHeight())) {
        std::abort();
    }
    surface.SetByteArray(pixels);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WorkFolder() + "/input.bmp";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    RecordingMessageBox silent;
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    surface.LoadFile(path);
    CheckConsistent(surface);
    surface.RemoveDC();
    return 0;
}
