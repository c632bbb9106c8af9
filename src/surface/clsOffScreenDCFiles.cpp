#include "surface/clsOffScreenDC.h"

#include "gdi/Gdi.h"
#include "gdi/PictureService.h"
#include "platform/Numeric.h"
#include "surface/BinaryFile.h"
#include "surface/BitmapCodec.h"
#include "surface/DibFile.h"

namespace quillax {

namespace {
constexpr int16_t True = -1;

bool IsConvertedDepth(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8;
}

// The headers of a bitmap file; false for anything that does not start with "BM" (files that are
// missing or not regular too).
bool ReadBitmapHeaders(BinaryFile& source, BitmapFileHeader& file, BitmapInfoHeader& info) {
    const QByteArray start = source.ReadUpTo(0, BitmapCodec::HeaderBytes);
    if (start.size() < 2 || start[0] != 'B' || start[1] != 'M') {
        return false;
    }
    BitmapCodec::ParseHeaders(start, file, info);
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

// The new image is had in full before the surface lets go of anything it holds.
void clsOffScreenDC::LoadFile(const std::string& iFilename) {
    Guarded("LoadFile", [&] {
        BinaryFile source(iFilename);
        BitmapFileHeader file;
        BitmapInfoHeader info;
        if (!ReadBitmapHeaders(source, file, info)) {
            return;
        }
        if (info.biBitCount == 24) {
            LoadDirect(source, file, info, iFilename);
        } else {
            LoadConverted(iFilename, info);
        }
    });
}

void clsOffScreenDC::LoadDirect(BinaryFile& source, const BitmapFileHeader& file,
                                const BitmapInfoHeader& info, const std::string& iFilename) {
    const BitmapCodec::PixelLayout layout = BitmapCodec::CheckLayout(file, info, source.Length());
    CheckImageSize(layout.Height, layout.Width);
    TakeImage(ReadDibFile(source.Descriptor(), info, layout, iFilename), static_cast<int32_t>(layout.Height),
              info.biWidth);
}

void clsOffScreenDC::LoadConverted(const std::string& iFilename, const BitmapInfoHeader& info) {
    if (IsConvertedDepth(info.biBitCount)) {
        CheckConvertedSize(info);
        CheckImageSize(std::abs(static_cast<int64_t>(info.biHeight)), info.biWidth);
    }
    BitmapFileImage image;
    LoadAs24Bit(iFilename, image);
    if (!image.Bits.IsAllocated()) {
        RaiseError(ErrNo::SubscriptOutOfRange, "there is no converted image to store");
    }
    TakeImage(DibPictureOf(image), image.InfoHeader.biHeight, image.InfoHeader.biWidth);
}

void clsOffScreenDC::TakeImage(PictureRef picture, int32_t height, int32_t width) {
    NewMemDC();
    ReplacePicture(std::move(picture));
    SelectObject(MemDC, ImagePicture->Handle());
    ImageHeight = height;
    ImageWidth = width;
    DeleteMemBitmap();
    MapPixels();
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
