#include "fuzz/FuzzWorkFolder.h"
#include "platform/ByteArray2D.h"
#include "platform/MessageBoxService.h"
#include "support/RecordingMessageBox.h"
#include "surface/TempBitmapFile.h"
#include "surface/clsOffScreenDC.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace quillax {

// Feeds arbitrary bytes to clsOffScreenDC::LoadFile, on a surface that already holds an image,
// then uses whatever the surface holds. Errors are expected and recorded silently; a crash, a
// sanitizer report, a leak or a surface whose size disagrees with its pixels is a finding.
namespace {
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

} // namespace quillax

using namespace quillax;

// Runs do not touch the editor's own temporary bitmap.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetReloadFolderBase(FuzzWorkFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput(data, size, "input.bmp");
    RecordingMessageBox silent;
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    surface.LoadFile(path);
    CheckConsistent(surface);
    surface.RemoveDC();
    return 0;
}
