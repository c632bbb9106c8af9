#include "fuzz/FuzzObjects.h"
#include "objects/ObjectFileBytes.h"
#include "objectsvg/ObjectSvg.h"
#include "support/SameObject.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillax {

// Any document the SVG reader takes, with curves refused or flattened, is an object the format holds
// (it saves), every point finite; its SVG in model units reads back as the same points and colours.
namespace {
[[noreturn]] void Finding(const std::string& what) {
    FuzzFinding("fuzz_svgimport", what);
}

void CheckObject(const ObjectFile& object) {
    try {
        ObjectFileBytes(object);
    } catch (const RuntimeError& error) {
        Finding("an object read from SVG does not save: " + error.Description());
    }
    for (const Mesh& mesh : object.Meshes) {
        for (size_t k = 0; k < mesh.X.size(); ++k) {
            if (!std::isfinite(mesh.X[k]) || !std::isfinite(mesh.Y[k])) {
                Finding("a point that is not finite");
            }
        }
    }
}

void CheckModelSvg(const ObjectFile& object) {
    const ModelSvg svg = ModelSvgText(object);
    if (!svg.Error.empty()) {
        Finding("its model SVG cannot be written: " + svg.Error);
    }
    const ObjectImport back = ObjectFromSvg(svg.Text, {});
    if (!back.Object || back.Object->Meshes.size() != object.Meshes.size()) {
        Finding("its model SVG does not read back: " + back.Error + "\n" + svg.Text);
    }
    for (size_t i = 0; i < object.Meshes.size(); ++i) {
        const Mesh& a = object.Meshes[i];
        const Mesh& b = back.Object->Meshes[i];
        if (!SameBits(a.X, b.X) || !SameBits(a.Y, b.Y) || !SameBits(a.Red, b.Red) ||
            !SameBits(a.Green, b.Green) || !SameBits(a.Blue, b.Blue)) {
            Finding("its model SVG reads back as other points or colours in mesh " + std::to_string(i));
        }
    }
}
} // namespace

} // namespace quillax

using namespace quillax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    for (const std::optional<double> tolerance : {std::optional<double>(), std::optional<double>(0.25)}) {
        const ObjectImport read = ObjectFromSvg(document, {1, 0, 0, tolerance});
        if (read.Object) {
            CheckObject(*read.Object);
            CheckModelSvg(*read.Object);
        } else if (read.Error.empty()) {
            Finding("an SVG refused without a reason");
        }
    }
    return 0;
}
