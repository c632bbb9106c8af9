#include "support/BmpBuilder.h"
#include "support/ErrorOf.h"
#include "support/SurfaceFixture.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace quillax {

namespace {
class BitmapFiles : public SurfaceTest {
protected:
    std::string Write(const QByteArray& bytes, const QString& name = "image.bmp") {
        QFile file(Folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName().toStdString();
    }

    // Loads a file that must load, and checks its pixels against Qt's own reader.
    void LoadGood(clsOffScreenDC& surface, const QByteArray& bytes) {
        const std::string path = Write(bytes);
        surface.LoadFile(path);
        ASSERT_TRUE(Box.Records.empty()) << Box.Records[0].Prompt;
        const QImage qt = QImage(QString::fromStdString(path), "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(qt.isNull());
        EXPECT_EQ(Displayed(surface), qt);
    }

    static std::vector<uint8_t> Line(clsOffScreenDC& surface, int32_t y) {
        ByteArray2D pixels;
        surface.GetByteArray(pixels);
        std::vector<uint8_t> line;
        for (int32_t x = 0; x <= pixels.UBound(1); ++x) {
            line.push_back(pixels(x, y));
        }
        return line;
    }

    // A surface holding a painted 2 x 3 image, to show that failed loads leave it alone.
    struct Held {
        explicit Held(clsOffScreenDC& surface) : Surface(surface) {
            surface.CreateImage(2, 3);
            Paint(surface, 7);
            Dc = surface.DC();
            Image = Displayed(surface);
        }
        void ExpectUnchanged() const {
            EXPECT_EQ(Surface.DC(), Dc);
            EXPECT_EQ(Surface.GetHeight(), 2);
            EXPECT_EQ(Surface.GetWidth(), 3);
            EXPECT_EQ(Displayed(Surface), Image);
            ByteArray2D pixels;
            Surface.GetByteArray(pixels);
            EXPECT_EQ(pixels(2, 1), 107) << "the view still works";
        }
        clsOffScreenDC& Surface;
        uint32_t Dc = 0;
        QImage Image;
    };

    static QRgb Entry(int i) { return qRgb(3 * i & 0xFF, 255 - i, i); }

    // A 4 x 3 24-bit file in the old form whose information header is 12 bytes: its width and height
    // are 16 bits, and where the 40-byte form keeps the depth lie its first pixels (black here).
    static QByteArray CoreHeaderFile() {
        QByteArray bytes = BmpBuilder(4, 3, 24).Bytes().left(14);
        bytes[10] = 26; // bfOffBits
        bytes += QByteArray::fromHex("0c000000"
                                     "0400"
                                     "0300"
                                     "0100"
                                     "1800");
        return bytes + QByteArray(12 * 3, '\0');
    }
};
} // namespace

TEST_F(BitmapFiles, TwentyFourBitsLoadDirectly) {
    BmpBuilder bmp(3, 2, 24);
    for (int32_t row = 0; row < 2; ++row) {
        for (int32_t column = 0; column < 3; ++column) {
            bmp.Set(column, row, static_cast<uint32_t>(0x010203 * (1 + column + 3 * row)));
        }
    }
    clsOffScreenDC surface;
    LoadGood(surface, bmp.Bytes());
    EXPECT_EQ(surface.GetHeight(), 2);
    EXPECT_EQ(surface.GetWidth(), 3);
    EXPECT_EQ(Line(surface, 0), (std::vector<uint8_t>{3, 2, 1, 6, 4, 2, 9, 6, 3}))
        << "bottom line first, no padding";
    EXPECT_EQ(Line(surface, 1)[0], 12);
}

TEST_F(BitmapFiles, EightBitsWithAFullTable) {
    BmpBuilder bmp(16, 16, 8);
    for (int32_t i = 0; i < 256; ++i) {
        bmp.Set(i % 16, i / 16, static_cast<uint32_t>(i));
    }
    clsOffScreenDC surface;
    LoadGood(surface, bmp.Bytes());
    const QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(5, 15), Entry(5)) << "file line 0 is the bottom";
    EXPECT_EQ(shown.pixel(15, 0), Entry(255));
}

TEST_F(BitmapFiles, FourBitsTakeTheHighNibbleFirst) {
    BmpBuilder bmp(3, 1, 4);
    bmp.Data[0] = static_cast<char>(0x12);
    bmp.Data[1] = static_cast<char>(0x3F);
    clsOffScreenDC surface;
    LoadGood(surface, bmp.Bytes());
    const QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(0, 0), Entry(1));
    EXPECT_EQ(shown.pixel(1, 0), Entry(2));
    EXPECT_EQ(shown.pixel(2, 0), Entry(3));
}

TEST_F(BitmapFiles, OneBitTakesTheHighestBitFirst) {
    BmpBuilder bmp(9, 1, 1);
    bmp.Data[0] = static_cast<char>(0b10100000);
    bmp.Data[1] = static_cast<char>(0b10000000);
    clsOffScreenDC surface;
    LoadGood(surface, bmp.Bytes());
    const QImage shown = Displayed(surface);
    EXPECT_EQ(shown.pixel(0, 0), Entry(1));
    EXPECT_EQ(shown.pixel(1, 0), Entry(0));
    EXPECT_EQ(shown.pixel(2, 0), Entry(1));
    EXPECT_EQ(shown.pixel(7, 0), Entry(0));
    EXPECT_EQ(shown.pixel(8, 0), Entry(1)) << "bit 7 of the second byte";
}

TEST_F(BitmapFiles, EveryDepthAndNarrowWidthKeepsLinesAligned) {
    for (uint16_t bits : {1, 4, 8, 24}) {
        for (int32_t width = 1; width <= 4; ++width) {
            BmpBuilder bmp(width, 3, bits);
            const uint32_t limit = bits == 24 ? 0x1000000 : 1u << bits;
            for (int32_t row = 0; row < 3; ++row) {
                for (int32_t column = 0; column < width; ++column) {
                    bmp.Set(column, row,
                            static_cast<uint32_t>(7 * row + 3 * column + 1 + 0x10305 * row) % limit);
                }
            }
            clsOffScreenDC surface;
            SCOPED_TRACE(std::to_string(bits) + " bits, width " + std::to_string(width));
            LoadGood(surface, bmp.Bytes());
            EXPECT_EQ(surface.GetWidth(), width);
        }
    }
}

TEST_F(BitmapFiles, StandardFilesTheLiteralReaderRefusedLoad) {
    BmpBuilder noCount(4, 2, 8);
    noCount.Info.biClrUsed = 0;
    noCount.Set(3, 1, 200);
    BmpBuilder noSize(5, 2, 4);
    noSize.Info.biSizeImage = 0;
    noSize.Set(4, 0, 9);
    BmpBuilder topDown8(3, -2, 8);
    topDown8.Set(0, 0, 50); // first file line: the top
    BmpBuilder topDown24(2, -3, 24);
    topDown24.Set(1, 0, 0xFF0000);
    BmpBuilder gap(2, 2, 8); // pixel data further on, as bfOffBits says
    gap.File.bfOffBits += 6;
    gap.Palette.append(QByteArray(6, '\x55'));
    gap.Set(1, 1, 77);
    for (const BmpBuilder* bmp : {&noCount, &noSize, &topDown8, &topDown24, &gap}) {
        clsOffScreenDC surface;
        LoadGood(surface, bmp->Bytes());
        EXPECT_EQ(surface.GetHeight(), bmp->Rows);
    }
    clsOffScreenDC surface;
    LoadGood(surface, topDown8.Bytes());
    EXPECT_EQ(Displayed(surface).pixel(0, 0), Entry(50));
}

TEST_F(BitmapFiles, BrokenFilesAreReportedAndLeaveTheSurfaceAsItWas) {
    const auto broken = [](auto change, uint16_t bits = 8) {
        BmpBuilder bmp(4, 3, bits);
        bmp.Set(1, 1, 1);
        change(bmp);
        return bmp.Bytes();
    };
    const std::vector<std::pair<QByteArray, std::vector<std::string>>> cases = {
        {broken([](BmpBuilder& b) { b.Data.chop(1); }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biClrUsed = 300; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biClrUsed = 20; }, 4), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biCompression = 1; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biCompression = 3; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biWidth = 0; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biWidth = -4; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biHeight = 30000; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biHeight = INT32_MIN; }), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biWidth = 10923; }), {"LoadFile"}},
        {broken([](BmpBuilder& b) {
             b.Palette.truncate(8);
             b.Info.biClrUsed = 2;
             b.Data.truncate(12);
         }),
         {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biHeight = 9; }, 24), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biCompression = 3; }, 24), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biBitCount = 32; }, 24), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biBitCount = 16; }, 24), {"LoadFile"}},
        {QByteArray("BM short"), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biSize = 12; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biSize = 12; }, 24), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biPlanes = 2; }, 24), {"LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biSizeImage = 4; }), {"LoadAs24Bit", "LoadFile"}},
        {broken([](BmpBuilder& b) { b.Info.biBitCount = 2; }), {"LoadFile"}},
        {CoreHeaderFile(), {"LoadFile"}},
    };
    for (const auto& [bytes, locations] : cases) {
        SCOPED_TRACE(::testing::PrintToString(locations) + " " + std::to_string(&bytes - &cases[0].first));
        Box.Records.clear();
        clsOffScreenDC surface;
        const Held held(surface);
        surface.LoadFile(Write(bytes));
        EXPECT_EQ(Locations(), locations);
        held.ExpectUnchanged();
    }
    Box.Records.clear();
    clsOffScreenDC surface;
    surface.LoadFile(Write(CoreHeaderFile()));
    EXPECT_EQ(Titles(), "Error: 9;") << "the depth read from the pixels is 0";
}

TEST_F(BitmapFiles, HeaderFieldsTheReaderDoesNotUseAreIgnored) {
    for (const uint16_t bits : {8, 24}) {
        BmpBuilder clean(4, 3, bits);
        clean.Set(1, 1, 1);
        clean.Set(3, 2, 2);
        clsOffScreenDC expected;
        expected.LoadFile(Write(clean.Bytes()));
        std::vector<BmpBuilder> variants(5, clean);
        variants[0].File.bfSize = 0;
        variants[1].File.bfSize = 0xFFFFFFFF;
        variants[2].File.bfOffBits = 0; // inside the headers: the pixels follow the colour table
        variants[3].Info.biPlanes = bits == 24 ? 1 : 2;
        variants[4].Info.biClrUsed = bits == 24 ? 5 : 0;
        variants[4].Info.biSizeImage = bits == 24 ? 4 : 0;
        for (const BmpBuilder& variant : variants) {
            SCOPED_TRACE(std::to_string(bits) + " bits, variant " + std::to_string(&variant - &variants[0]));
            clsOffScreenDC surface;
            surface.LoadFile(Write(variant.Bytes()));
            EXPECT_TRUE(Box.Records.empty());
            EXPECT_EQ(Displayed(surface), Displayed(expected));
        }
    }
}

TEST_F(BitmapFiles, PaletteIndexBeyondTheTableIsReportedTwice) {
    BmpBuilder bmp(2, 1, 8);
    bmp.Info.biClrUsed = 2;
    bmp.Palette.truncate(8);
    bmp.File.bfOffBits = 54 + 8;
    bmp.Set(1, 0, 9);
    clsOffScreenDC surface;
    const Held held(surface);
    surface.LoadFile(Write(bmp.Bytes()));
    EXPECT_EQ(Locations(), (std::vector<std::string>{"LoadAs24Bit", "LoadFile"}));
    EXPECT_EQ(Titles(), "Error: 9;Error: 9;");
    held.ExpectUnchanged();
    Box.Records.clear();
    LoadGood(surface, BmpBuilder(2, 2, 24).Bytes());
    EXPECT_EQ(surface.GetHeight(), 2);
    EXPECT_EQ(surface.GetWidth(), 2);
}

TEST_F(BitmapFiles, FilesThatAreNotBitmapsAreIgnoredSilently) {
    clsOffScreenDC surface;
    const Held held(surface);
    surface.LoadFile(Write("just some text\n", "notes.txt"));
    surface.LoadFile(Write("", "empty.bmp"));
    surface.LoadFile(Write("B", "one.bmp"));
    surface.LoadFile(Folder.filePath("missing.bmp").toStdString());
    surface.LoadFile(Folder.path().toStdString());
    // Never read, never waited on: a FIFO without a writer, a device.
    const std::string fifo = Folder.filePath("fifo.bmp").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    surface.LoadFile(fifo);
    surface.LoadFile("/dev/zero");
    EXPECT_TRUE(Box.Records.empty());
    held.ExpectUnchanged();
}

TEST_F(BitmapFiles, ImagesBeyondThePixelLimitAreRefusedBeforeAnythingIsReadAndKeepTheOldImage) {
    for (const uint16_t bits : {1, 24}) {
        // 10922 x 32767 fits the conversion's 16-bit counts and the 24-bit array limit.
        BmpBuilder huge(8, 1, bits);
        huge.Info.biWidth = 10922;
        huge.Info.biHeight = 32767;
        huge.Info.biSizeImage = 0;
        const std::string path = Write(huge.Bytes().left(huge.File.bfOffBits));
        ASSERT_EQ(truncate(path.c_str(), huge.File.bfOffBits + BmpBuilder::Stride(10922, bits) * 32767LL), 0);
        Box.Records.clear();
        clsOffScreenDC surface;
        const Held held(surface);
        surface.LoadFile(path);
        EXPECT_EQ(Locations(), std::vector<std::string>{"LoadFile"}) << bits;
        EXPECT_EQ(Titles(), "Error: 7;");
        held.ExpectUnchanged();
    }
}

TEST_F(BitmapFiles, FailedLoadOnARemovedSurfaceLeavesItEmpty) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 2);
    surface.RemoveDC();
    BmpBuilder bmp(2, 2, 8);
    bmp.Data.chop(2);
    surface.LoadFile(Write(bmp.Bytes()));
    EXPECT_EQ(surface.DC(), 0u);
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    EXPECT_FALSE(pixels.IsAllocated());
}

TEST_F(BitmapFiles, SaveWritesWhatLoadReadsBack) {
    clsOffScreenDC surface;
    const std::string path = Folder.filePath("saved.bmp").toStdString();
    surface.SaveFile(path);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path))) << "an empty instance writes nothing";
    surface.CreateImage(3, 5);
    Paint(surface, 20);
    ByteArray2D before;
    surface.GetByteArray(before);
    surface.SaveFile(path);
    clsOffScreenDC other;
    other.LoadFile(path);
    ByteArray2D after;
    other.GetByteArray(after);
    ASSERT_EQ(after.UBound(1), 14);
    ASSERT_EQ(after.UBound(2), 2);
    EXPECT_EQ(std::vector<uint8_t>(after.Data(), after.Data() + 45),
              std::vector<uint8_t>(before.Data(), before.Data() + 45));
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(BitmapFiles, SaveFailuresReachTheCallerAndLeaveNoFile) {
    clsOffScreenDC surface;
    surface.CreateImage(1, 1);
    EXPECT_EQ(ErrorOf([&] { surface.SaveFile(Folder.filePath("absent/x.bmp").toStdString()); }),
              ErrNo::PathNotFound);
    QDir(Folder.path()).mkdir("taken.bmp");
    EXPECT_EQ(ErrorOf([&] { surface.SaveFile(Folder.filePath("taken.bmp").toStdString()); }),
              ErrNo::PathFileAccessError);
    EXPECT_TRUE(Box.Records.empty()) << "unguarded";
}

} // namespace quillax
