#include "fuzz/FuzzObjects.h"
#include "fuzz/FuzzWorkFolder.h"
#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"
#include "platform/RuntimeError.h"
#include "support/SameObject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillax {

// Any input the loader accepts must save without an error to the bytes it came from (less a tail too
// long to keep), and those bytes must load as the same object, bit for bit.
namespace {
[[noreturn]] void Finding(const std::string& what) {
    FuzzFinding("fuzz_objectroundtrip", what);
}

std::vector<uint8_t> Save(const ObjectFile& object) {
    try {
        return ObjectFileBytes(object);
    } catch (const RuntimeError& error) {
        Finding("a loaded object does not save: " + error.Description());
    }
}

void CheckRoundTrip(const uint8_t* data, size_t size, ObjectFile& object) {
    const std::vector<uint8_t> saved = Save(object);
    const std::vector<uint8_t> input(data, data + (size - object.DroppedTrailingBytes));
    // A tail too long to keep is not saved, so the saved file has none.
    object.DroppedTrailingBytes = 0;
    if (saved != input) {
        Finding("saved " + std::to_string(saved.size()) + " bytes that differ from the " +
                std::to_string(input.size()) + " loaded");
    }
    ObjectFile again;
    if (!LoadFuzzObject(WriteFuzzInput(saved.data(), saved.size(), "saved.lin"), again)) {
        Finding("the saved bytes do not load");
    }
    if (!SameObject(object, again) || Save(again) != saved) {
        Finding("the saved bytes load as another object");
    }
}
} // namespace

} // namespace quillax

using namespace quillax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjectFile object;
    if (LoadFuzzObject(WriteFuzzInput(data, size, "input.lin"), object)) {
        CheckRoundTrip(data, size, object);
    }
    return 0;
}
