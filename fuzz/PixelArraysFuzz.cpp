#include "fuzz/FuzzWorkFolder.h"
#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/MessageBoxService.h"
#include "platform/RuntimeError.h"
#include "support/DesignedWalks.h"
#include "support/RecordingMessageBox.h"
#include "surface/TempBitmapFile.h"
#include "surface/clsOffScreenDC.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace quillax {

// Stores arrays of arbitrary shape into a small surface with SetByteArray and Set1DByteArray, and
// reads the surface into arrays of arbitrary state with GetByteArray and Get1DByteArray: bounds,
// lower bounds, fixed and unallocated arrays and the layout sizes all come from the input. Every
// operation also runs as designed, one checked byte at a time, over a model of the image; the
// surface must end with the same bytes, the arguments with the same content, and the error boxes
// must show the same numbers under the same operations.
namespace {
using Reports = std::vector<std::string>;

// The image as the designed walks address it: byte x of scan line y, counted from the bottom.
struct ModelImage {
    int32_t Height = 0;
    int32_t Width = 0;
    std::vector<uint8_t> Bytes;
    uint8_t& operator()(int32_t x, int32_t y) { return Bytes.at(static_cast<size_t>(x + 3 * Width * y)); }
};

// The design's 32-bit arithmetic: a result outside the range is an overflow.
int32_t Long(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
        RaiseError(ErrNo::Overflow);
    }
    return static_cast<int32_t>(value);
}

template <typename Body> void Designed(Reports& reports, const std::string& location, Body&& body) {
    try {
        body();
    } catch (const RuntimeError& error) {
        reports.push_back("Error: " + std::to_string(error.Number()) + " at " + location);
    }
}

void WalkStore1D(const ByteArray1D& source, int32_t tHeight, int32_t tWidth, ModelImage& image,
                 Reports& reports) {
    ByteArray2D layout;
    layout.ReDim(0, Long(Long(3 * int64_t{tWidth}) - int64_t{1}), 0, Long(int64_t{tHeight} - 1));
    WalkFill(source, layout);
    Designed(reports, "SetByteArray", [&] { WalkStore(layout, image, 3 * image.Width, image.Height); });
}

void WalkGet(ModelImage& image, ByteArray2D& target) {
    target.ReDim(0, Long(3 * int64_t{image.Width}) - 1, 0, image.Height - 1);
    WalkCopy(image, target, 3 * image.Width, image.Height);
}

void WalkGet1D(ModelImage& image, ByteArray1D& target) {
    target.ReDim(0, Long(int64_t{Long(3 * int64_t{image.Width})} * image.Height) - 1);
    WalkColumns(image, target, 3 * image.Width, image.Height);
}

// Mostly near 0; now and then at either end of the 32-bit range.
int32_t LowerBound(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return std::numeric_limits<int32_t>::min();
    case 1:
        return std::numeric_limits<int32_t>::max() - input.ConsumeIntegralInRange(0, 40);
    default:
        return input.ConsumeIntegralInRange(-8, 8);
    }
}

// Element count from the input, kept within the 32-bit range above lower.
int32_t UpperBound(FuzzedDataProvider& input, int32_t lower, int32_t largestCount) {
    const int64_t count = input.ConsumeIntegralInRange(1, largestCount);
    return static_cast<int32_t>(std::min<int64_t>(lower + count - 1, std::numeric_limits<int32_t>::max()));
}

enum class ArrayState { Unallocated, Fixed, Dynamic };

ArrayState StateOf(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return ArrayState::Unallocated;
    case 1:
        return ArrayState::Fixed;
    default:
        return ArrayState::Dynamic;
    }
}

void Fill(uint8_t* bytes, int64_t count, uint8_t seed) {
    for (int64_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(seed + 37 * i);
    }
}

ByteArray2D Array2D(FuzzedDataProvider& input, const ModelImage& image) {
    const ArrayState state = StateOf(input);
    const int32_t lower1 = LowerBound(input);
    const int32_t upper1 = UpperBound(input, lower1, 3 * image.Width + 7);
    const int32_t lower2 = LowerBound(input);
    const int32_t upper2 = UpperBound(input, lower2, image.Height + 3);
    ByteArray2D array;
    if (state == ArrayState::Unallocated) {
        return array;
    }
    if (state == ArrayState::Fixed) {
        array = ByteArray2D::Fixed(lower1, upper1, lower2, upper2);
    } else {
        array.ReDim(lower1, upper1, lower2, upper2);
    }
    Fill(array.Data(), array.Count1() * array.Count2(), input.ConsumeIntegral<uint8_t>());
    return array;
}

ByteArray1D Array1D(FuzzedDataProvider& input, const ModelImage& image) {
    const ArrayState state = StateOf(input);
    const int32_t lower = LowerBound(input);
    const int32_t upper = UpperBound(input, lower, 3 * image.Width * image.Height + 9);
    ByteArray1D array;
    if (state == ArrayState::Unallocated) {
        return array;
    }
    if (state == ArrayState::Fixed) {
        array = ByteArray1D::Fixed(lower, upper);
    } else {
        array.ReDim(lower, upper);
    }
    Fill(array.Data(), array.Count(), input.ConsumeIntegral<uint8_t>());
    return array;
}

// A layout size: mostly small, sometimes one that cannot be laid out (an overflow, or more bytes
// than an array may hold), never one that allocates more than a few bytes.
int32_t LayoutSize(FuzzedDataProvider& input) {
    constexpr int32_t Extremes[] = {std::numeric_limits<int32_t>::min(),
                                    std::numeric_limits<int32_t>::min() + 1, 1 << 30, 715827883,
                                    std::numeric_limits<int32_t>::max()};
    if (input.ConsumeIntegralInRange(0, 7) == 0) {
        return Extremes[input.ConsumeIntegralInRange<size_t>(0, std::size(Extremes) - 1)];
    }
    return input.ConsumeIntegralInRange(-2, 10);
}

[[noreturn]] void Finding(const std::string& what) {
    std::fprintf(stderr, "fuzz_pixelarrays: %s\n", what.c_str());
    std::abort();
}

Reports ShownReports(const RecordingMessageBox& box) {
    Reports reports;
    for (const auto& record : box.Records) {
        const size_t start = record.Prompt.find("Location: ") + 10;
        reports.push_back(record.Title + " at " +
                          record.Prompt.substr(start, record.Prompt.find('\r', start) - start));
    }
    return reports;
}

std::string Joined(const Reports& reports) {
    std::string text;
    for (const std::string& report : reports) {
        text += "[" + report + "]";
    }
    return text;
}

bool SameArray(const ByteArray2D& a, const ByteArray2D& b) {
    if (a.IsAllocated() != b.IsAllocated() || a.IsFixed() != b.IsFixed()) {
        return false;
    }
    return !a.IsAllocated() ||
           (a.LBound(1) == b.LBound(1) && a.UBound(1) == b.UBound(1) && a.LBound(2) == b.LBound(2) &&
            a.UBound(2) == b.UBound(2) && std::equal(a.Data(), a.Data() + a.Count1() * a.Count2(), b.Data()));
}

bool SameArray(const ByteArray1D& a, const ByteArray1D& b) {
    if (a.IsAllocated() != b.IsAllocated() || a.IsFixed() != b.IsFixed()) {
        return false;
    }
    return !a.IsAllocated() || (a.LBound() == b.LBound() && a.UBound() == b.UBound() &&
                                std::equal(a.Data(), a.Data() + a.Count(), b.Data()));
}

// The surface's bytes in the model's order; none when it holds no image.
std::vector<uint8_t> SurfaceBytes(clsOffScreenDC& surface) {
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    return pixels.IsAllocated()
               ? std::vector<uint8_t>(pixels.Data(), pixels.Data() + pixels.Count1() * pixels.Count2())
               : std::vector<uint8_t>();
}

// One operation on both the surface and the model, with arguments from the input.
class Session {
public:
    Session(FuzzedDataProvider& input, clsOffScreenDC& surface, ModelImage& model)
        : Input(input), Surface(surface), Model(model) {}

    // The error boxes the design shows for the operations run so far.
    Reports Expected;

    void Run(int operation) {
        switch (operation) {
        case 0:
            Store();
            break;
        case 1:
            Store1D();
            break;
        case 2:
            Get();
            break;
        default:
            Get1D();
        }
    }

private:
    bool Holds() const { return Model.Height > 0; }

    void Store() {
        const ByteArray2D source = Array2D(Input, Model);
        Surface.SetByteArray(source);
        if (Holds()) {
            Designed(Expected, "SetByteArray",
                     [&] { WalkStore(source, Model, 3 * Model.Width, Model.Height); });
        }
    }

    void Store1D() {
        const ByteArray1D source = Array1D(Input, Model);
        const int32_t tHeight = LayoutSize(Input);
        const int32_t tWidth = LayoutSize(Input);
        Surface.Set1DByteArray(source, tHeight, tWidth);
        if (Holds()) {
            Designed(Expected, "Set1DByteArray",
                     [&] { WalkStore1D(source, tHeight, tWidth, Model, Expected); });
        }
    }

    void Get() {
        ByteArray2D target = Array2D(Input, Model);
        ByteArray2D expected = target;
        Surface.GetByteArray(target);
        if (Holds()) {
            Designed(Expected, "GetByteArray", [&] { WalkGet(Model, expected); });
        }
        if (!SameArray(target, expected)) {
            Finding("GetByteArray filled its argument unlike the design");
        }
    }

    void Get1D() {
        ByteArray1D target = Array1D(Input, Model);
        ByteArray1D expected = target;
        Surface.Get1DByteArray(target);
        if (Holds()) {
            Designed(Expected, "Get1DByteArray", [&] { WalkGet1D(Model, expected); });
        }
        if (!SameArray(target, expected)) {
            Finding("Get1DByteArray filled its argument unlike the design");
        }
    }

    FuzzedDataProvider& Input;
    clsOffScreenDC& Surface;
    ModelImage& Model;
};
} // namespace

} // namespace quillax

using namespace quillax;

// Runs do not touch the editor's own temporary bitmap.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetReloadFolderBase(FuzzWorkFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    RecordingMessageBox box;
    clsOffScreenDC surface;
    ModelImage model;
    const int32_t height = input.ConsumeIntegralInRange(0, 6);
    const int32_t width = input.ConsumeIntegralInRange(0, 6);
    surface.CreateImage(height, width);
    if (height > 0 && width > 0) {
        model = {height, width, std::vector<uint8_t>(static_cast<size_t>(3 * width * height))};
        Fill(model.Bytes.data(), static_cast<int64_t>(model.Bytes.size()), input.ConsumeIntegral<uint8_t>());
        ByteArray2D painted;
        painted.ReDim(3 * width - 1, height - 1);
        std::copy(model.Bytes.begin(), model.Bytes.end(), painted.Data());
        surface.SetByteArray(painted);
    }
    Session session(input, surface, model);
    for (int step = 0; step < 8 && input.remaining_bytes() > 0; ++step) {
        session.Run(input.ConsumeIntegralInRange(0, 3));
        if (SurfaceBytes(surface) != model.Bytes) {
            Finding("the image differs from the design after step " + std::to_string(step));
        }
        if (ShownReports(box) != session.Expected) {
            Finding("error boxes " + Joined(ShownReports(box)) + ", designed " + Joined(session.Expected));
        }
    }
    surface.RemoveDC();
    return 0;
}
