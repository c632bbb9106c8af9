#include "fuzz/FuzzObjects.h"
#include "fuzz/FuzzWorkFolder.h"
#include "objectjson/ObjectJson.h"
#include "objects/ObjectFileBytes.h"
#include "objects/modObjects.h"
#include "platform/RuntimeError.h"
#include "support/SameObject.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillax {

// Any input the loader accepts goes to JSON, in both layouts, and back to the same object and the same
// bytes. The input is also read as JSON: an object it gives must write JSON that reads back as itself.
namespace {
[[noreturn]] void Finding(const std::string& what) {
    FuzzFinding("fuzz_jsonroundtrip", what);
}

std::vector<uint8_t> Save(const ObjectFile& object) {
    try {
        return ObjectFileBytes(object);
    } catch (const RuntimeError& error) {
        Finding("an object read from JSON does not save: " + error.Description());
    }
}

// The object through its JSON in one layout, checked to come back bit for bit.
void CheckThroughJson(const ObjectFile& object, bool oneLine) {
    const std::string text = ObjectJsonText(object, {true, oneLine, {}});
    const ObjectImport back = ObjectFromJson(text);
    if (!back.Object) {
        Finding("its JSON does not read back: " + back.Error + "\n" + text);
    }
    if (!SameObject(object, *back.Object)) {
        Finding("its JSON reads back as another object:\n" + text);
    }
}

void CheckLoadedFile(const uint8_t* data, size_t size) {
    ObjectFile object;
    if (!LoadFuzzObject(WriteFuzzInput(data, size, "input.lin"), object) || object.DroppedTrailingBytes > 0) {
        return;
    }
    CheckThroughJson(object, false);
    CheckThroughJson(object, true);
    const ObjectImport back = ObjectFromJson(ObjectJsonText(object, {}));
    if (Save(*back.Object) != std::vector<uint8_t>(data, data + size)) {
        Finding("the bytes from its JSON differ from the file's");
    }
}

void CheckReadJson(const uint8_t* data, size_t size) {
    const ObjectImport read = ObjectFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.Object) {
        Save(*read.Object);
        CheckThroughJson(*read.Object, false);
    } else if (read.Error.empty()) {
        Finding("a JSON refused without a reason");
    }
}
} // namespace

} // namespace quillax

using namespace quillax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckLoadedFile(data, size);
    CheckReadJson(data, size);
    return 0;
}
