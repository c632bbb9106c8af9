#include "surface/clsOffScreenDC.h"

#include "gdi/Gdi.h"
#include "gdi/PictureService.h"
#include "platform/Numeric.h"
#include "surface/BinaryFile.h"
#include "surface/BitmapCodec.h"

namespace quillax {

namespace {
constexpr int16_t True = -1;

bool IsConvertedDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8;
}

// The headers of a bitmap file; false for anything that does not start with "BM" (missing files too).
bool ReadBitmapHeaders(const std::string& fileName, BitmapFileHeader& file, BitmapInfoHeader& info,
                       int64_t& fileLength) {
    BinaryFile source(fileName);
    const QByteArray start = source.ReadUpTo(0, BitmapCodec::HeaderBytes);
    if (start.size() < 2 || start[0] != 'B' || start[1] != 'M') {
        return false;
    }
    BitmapCodec::ParseHeaders(start, file, info);
    fileLength = source.Length();
    return true;
}

// The conversion path counts in 16 bits; checked before any conversion work is done.
void CheckConvertedSize(const BitmapInfoHeader& info) {
    CheckedInt16(info.biWidth);
    CheckedInt16(std::abs(static_cast<int64_t>(info.biHeight)));
    CheckedInt16(3 * static_cast<int64_t>(info.biWidth));
}
} // namespace

void clsOffScreenDC::SaveFile(const std::string& iFilename) {
    if (MemDC == 0) {
        return;
    }
    SavePicture(ImagePicture, iFilename);
}

// The file is read and checked in full before the surface lets go of anything it holds.
void clsOffScreenDC::LoadFile(const std::string& iFilename) {
    Guarded("LoadFile", [&] {
        BitmapFileHeader file;
        BitmapInfoHeader info;
        int64_t fileLength = 0;
        if (!ReadBitmapHeaders(iFilename, file, info, fileLength)) {
            return;
        }
        if (info.biBitCount == 24) {
            LoadDirect(iFilename, file, info, fileLength);
        } else {
            LoadConverted(iFilename, info);
        }
    });
}

void clsOffScreenDC::LoadDirect(const std::string& iFilename, const BitmapFileHeader& file,
                                const BitmapInfoHeader& info, int64_t fileLength) {
    const BitmapCodec::PixelLayout layout = BitmapCodec::CheckLayout(file, info, fileLength);
    PictureRef picture =
        DecodePictureBmp(BinaryFile(iFilename).Read(0, layout.DataOffset + layout.DataBytes));
    PixelPlane plane;
    if (!GetBitmapPlane(picture->Handle(), plane) || plane.Width != layout.Width ||
        plane.Height != layout.Height) {
        RaiseError(ErrNo::InvalidPicture, "the picture differs from its headers");
    }
    NewMemDC();
    ReplacePicture(std::move(picture));
    SelectObject(MemDC, ImagePicture->Handle());
    ImageHeight = static_cast<int32_t>(layout.Height);
    ImageWidth = info.biWidth;
    DeleteMemBitmap();
    MapPixels();
}

void clsOffScreenDC::LoadConverted(const std::string& iFilename, const BitmapInfoHeader& info) {
    if (IsConvertedDepth(info.biBitCount)) {
        CheckConvertedSize(info);
    }
    BitmapFileImage image;
    LoadAs24Bit(iFilename, image);
    const int16_t width = ToInt16(image.InfoHeader.biWidth);
    const int16_t height = ToInt16(image.InfoHeader.biHeight);
    ByteArray2D pixels;
    BitmapCodec::BitsToPixelArray(image.Bits, width, height, pixels);
    CreateImage(image.InfoHeader.biHeight, image.InfoHeader.biWidth);
    SetByteArray(pixels);
}

int16_t clsOffScreenDC::LoadAs24Bit(const std::string& fileName, BitmapFileImage& image) {
    int16_t loaded = 0;
    Guarded("LoadAs24Bit", [&] {
        BinaryFile source(fileName);
        BitmapFileHeader file;
        BitmapInfoHeader info;
        BitmapCodec::ParseHeaders(source.Read(0, BitmapCodec::HeaderBytes), file, info);
        if (!IsConvertedDepth(info.biBitCount)) {
            loaded = True;
            return;
        }
        const BitmapCodec::PixelLayout layout = BitmapCodec::CheckLayout(file, info, source.Length());
        const std::vector<RgbQuad> palette =
            BitmapCodec::ParsePalette(source.Read(layout.PaletteOffset, 4 * layout.PaletteCount));
        const QByteArray data = source.Read(layout.DataOffset, layout.DataBytes);
        image = BitmapCodec::ConvertTo24Bit(info, layout, palette, data);
        loaded = True;
    });
    return loaded;
}

} // namespace quillax
