#include "sceneexport/PngPicture.h"

#include <png.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace quillax {

namespace {
struct PngState {
    QIODevice* Out;
    std::string Failure;
};

PngState& StateOf(png_structp png) {
    return *static_cast<PngState*>(png_get_error_ptr(png));
}

// No exception may cross libpng's frames: a reason that cannot be kept leaves "out of memory".
template <typename Reason> void Note(png_structp png, const Reason& reason) noexcept {
    try {
        StateOf(png).Failure = reason();
    } catch (const std::bad_alloc&) {
        StateOf(png).Failure.clear();
    }
}

[[noreturn]] void Fail(png_structp png, png_const_charp message) {
    Note(png, [message] { return std::string(message); });
    png_longjmp(png, 1);
}

void KeepWarningQuiet(png_structp, png_const_charp) {}

bool WroteAll(QIODevice& out, png_bytep data, size_t length) noexcept {
    try {
        const auto size = static_cast<qint64>(length);
        return out.write(reinterpret_cast<const char*>(data), size) == size;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// A device that refuses bytes ends the writing there, with its reason.
void WriteBytes(png_structp png, png_bytep data, size_t length) {
    QIODevice& out = *StateOf(png).Out;
    if (!WroteAll(out, data, length)) {
        Note(png, [&out] { return out.errorString().toStdString(); });
        png_longjmp(png, 1);
    }
}

void NoFlush(png_structp) {}

void ToRgb(const uchar* line, int width, uint8_t* rgb) {
    const auto* pixels = reinterpret_cast<const uint32_t*>(line);
    for (int x = 0; x < width; ++x) {
        const uint32_t pixel = pixels[x];
        rgb[3 * x] = static_cast<uint8_t>(pixel >> 16);
        rgb[3 * x + 1] = static_cast<uint8_t>(pixel >> 8);
        rgb[3 * x + 2] = static_cast<uint8_t>(pixel);
    }
}

// libpng reports a failure by a long jump back into this frame, which holds nothing to destroy.
bool WriteImage(png_structp png, png_infop info, const QImage& picture, uint8_t* row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, nullptr, WriteBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()),
                 static_cast<png_uint_32>(picture.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (picture.dotsPerMeterX() > 0 || picture.dotsPerMeterY() > 0) {
        png_set_pHYs(png, info, static_cast<png_uint_32>(picture.dotsPerMeterX()),
                     static_cast<png_uint_32>(picture.dotsPerMeterY()), PNG_RESOLUTION_METER);
    }
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < picture.height(); ++y) {
        ToRgb(picture.constScanLine(y), picture.width(), row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}
} // namespace

std::string WritePng(const QImage& picture, QIODevice& out) {
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<uint8_t> row(static_cast<size_t>(opaque.width()) * 3);
    PngState state{&out, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, Fail, KeepWarningQuiet);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    const bool written = info != nullptr && WriteImage(png, info, opaque, row.data());
    png_destroy_write_struct(&png, &info);
    if (written) {
        return {};
    }
    return state.Failure.empty() ? "out of memory" : state.Failure;
}

} // namespace quillax
