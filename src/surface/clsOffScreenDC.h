#pragma once

#include "gdi/StdPicture.h"
#include "platform/ByteArray1D.h"
#include "platform/ByteArray2D.h"
#include "platform/ByteView2D.h"
#include "platform/RuntimeError.h"
#include "surface/BitmapCodec.h"

#include <cstdint>
#include <new>
#include <string>

namespace quillax {

class BinaryFile;

// The most pixels an image of the surface may have (16384 x 16384). A larger one is out of memory (7)
// before anything is allocated, and every operation stays within three times its 24-bit image.
inline constexpr int64_t MaxImagePixels = int64_t{1} << 28;
// Raises that error for an image beyond the limit.
void CheckImageSize(int64_t height, int64_t width);

// An off-screen drawing surface holding at most one image: a memory drawing context, the picture
// object that owns the bitmap selected into it, and a byte view over that bitmap's pixels.
//
// Pixel bytes: 3 per pixel, blue, green, red; byte x = 3 * column + channel; scan line y = 0 is the
// bottom line of the image. Sizes are passed height first. For example, the grid's tile:
//
//     Surface.CreateImage(height, width);          // a new image, not cleared
//     ByteArray2D tile;
//     Surface.GetByteArray(tile);                  // tile(0 .. 3 * width - 1, 0 .. height - 1)
//     tile(0, 0) = 255;                            // bottom-left pixel's blue byte
//     Surface.SetByteArray(tile);
//     BitBlt(picMainDc, x, y, width, height, Surface.DC(), 0, 0, SRCCOPY);   // Gdi.h
//
// Guarded operations never throw: they show an error box (MsgBox style 16) and return normally.
// DC, the queries, GetPictureObject, DisplayToDC, SaveFile and RemoveDC are unguarded.
class clsOffScreenDC {
public:
    clsOffScreenDC() = default;
    clsOffScreenDC(const clsOffScreenDC&) = delete;
    clsOffScreenDC& operator=(const clsOffScreenDC&) = delete;

    // The memory drawing context; 0 when the instance holds no image.
    uint32_t DC() const;
    int32_t GetHeight() const;
    int32_t GetWidth() const;
    // Leaves both as the caller had them when the instance holds no image.
    void GetSize(int32_t& rHeight, int32_t& rWidth) const;
    PictureRef GetPictureObject() const;
    // rPic becomes (0 .. 3 x width - 1, 0 .. height - 1).
    void GetByteArray(ByteArray2D& rPic);
    // BArray becomes (0 .. 3 x width x height - 1), element x * height + y = byte (x, y).
    void Get1DByteArray(ByteArray1D& BArray);
    // Copies the whole image to (0, 0) of another drawing context.
    void DisplayToDC(uint32_t DestDC);
    // Stores the image from sPic; pixel columns that sPic lacks become black.
    void SetByteArray(const ByteArray2D& sPic);
    // Reads BArray as a tWidth x tHeight image in Get1DByteArray's order and stores it.
    void Set1DByteArray(const ByteArray1D& BArray, int32_t tHeight, int32_t tWidth);
    // Saves the image as a 24-bit bitmap file; does nothing when empty. Unguarded: a missing folder
    // (76) or a file that cannot be written (75) reaches the caller, and no half-written file stays.
    void SaveFile(const std::string& iFilename);
    // A new image; sizes below 1 change nothing.
    void CreateImage(int32_t sHeight, int32_t sWidth);
    // Loads a 1-, 4-, 8- or 24-bit bitmap file. A file that does not start with "BM" (a missing file,
    // or anything but a regular file, never waited on) is ignored; one that cannot be loaded is
    // reported and leaves the surface as it was.
    void LoadFile(const std::string& iFilename);
    // Rebuilds the image at a new size, keeping its content at the top-left; a size below 1 keeps
    // the current one in that direction.
    void ResizeDC(int32_t newHeight, int32_t newWidth);
    void RemoveDC();

private:
    void MapPixels();
    void GetDCsObject();
    PictureRef CreatePicture(uint32_t hBitmap, int32_t pictureType);
    // Converts a palette file to 24 bits; true (-1) unless it reported an error.
    int16_t LoadAs24Bit(const std::string& fileName, BitmapFileImage& image);
    void ReportError(int32_t errNumber, const std::string& errDescription, const std::string& errLocation);

    void LoadDirect(BinaryFile& source, const BitmapFileHeader& file, const BitmapInfoHeader& info,
                    const std::string& iFilename);
    void LoadConverted(const std::string& iFilename, const BitmapInfoHeader& info);
    // Holds a loaded picture as the image, in a fresh memory context.
    void TakeImage(PictureRef picture, int32_t height, int32_t width);
    // Every change of picture detaches the view first, so it never outlives the bits it views.
    void ReplacePicture(PictureRef picture);
    bool HoldsPixels() const { return MemDC != 0 && Pixels.IsAttached(); }
    // Bytes per scan line of the pixel arrays: 3 x width, an overflow (6) beyond 32 bits.
    int32_t ImageColumns() const;
    // A fresh memory context in place of the current one.
    void NewMemDC();
    void DeleteMemBitmap();

    template <typename Body> void Guarded(const char* location, Body&& body) {
        try {
            body();
        } catch (const RuntimeError& error) {
            ReportError(error.Number(), error.Description(), location);
        } catch (const std::bad_alloc&) {
            ReportError(ErrNo::OutOfMemory, ErrorDescription(ErrNo::OutOfMemory), location);
        }
    }

    uint32_t MemDC = 0;
    uint32_t MemBitmap = 0;
    PictureRef ImagePicture;
    ByteView2D Pixels;
    int32_t ImageHeight = 0;
    int32_t ImageWidth = 0;
    ArrayDescriptor PixelsDescriptor;
};

} // namespace quillax
