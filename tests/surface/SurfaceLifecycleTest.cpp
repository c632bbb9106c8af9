#include "support/ErrorOf.h"
#include "support/SurfaceFixture.h"

#include "gdi/PictureService.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>

namespace quillax {

using SurfaceLifecycle = SurfaceTest;

TEST_F(SurfaceLifecycle, EmptyInstanceAnswersNothingAndCopiesNothing) {
    clsOffScreenDC surface;
    EXPECT_EQ(surface.DC(), 0u);
    EXPECT_EQ(surface.GetHeight(), 0);
    EXPECT_EQ(surface.GetWidth(), 0);
    int32_t height = -3, width = -4;
    surface.GetSize(height, width);
    EXPECT_EQ(height, -3);
    EXPECT_EQ(width, -4);
    EXPECT_EQ(surface.GetPictureObject(), nullptr);
    DeviceContext target(2, 2);
    target.Fill(qRgb(255, 255, 255));
    surface.DisplayToDC(target.Dc());
    EXPECT_EQ(target.Image().pixel(0, 0), qRgb(255, 255, 255));
    surface.ResizeDC(5, 5);
    surface.RemoveDC();
    EXPECT_EQ(surface.DC(), 0u);
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfaceLifecycle, CreateImageSizesTheImage) {
    clsOffScreenDC surface;
    surface.CreateImage(10, 20);
    EXPECT_NE(surface.DC(), 0u);
    EXPECT_EQ(surface.GetHeight(), 10);
    EXPECT_EQ(surface.GetWidth(), 20);
    int32_t height = 0, width = 0;
    surface.GetSize(height, width);
    EXPECT_EQ(height, 10);
    EXPECT_EQ(width, 20);
    ASSERT_NE(surface.GetPictureObject(), nullptr);
    BITMAP record;
    ASSERT_NE(GetObjectA(surface.GetPictureObject()->Handle(), BitmapRecordSize, &record), 0);
    EXPECT_EQ(record.bmHeight, 10);
    EXPECT_EQ(record.bmWidthBytes, 60);
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfaceLifecycle, SizesBelowOneChangeNothing) {
    clsOffScreenDC surface;
    surface.CreateImage(0, 10);
    EXPECT_EQ(surface.DC(), 0u);
    surface.CreateImage(3, 4);
    Paint(surface);
    const uint32_t dc = surface.DC();
    const QImage before = Displayed(surface);
    surface.CreateImage(0, 10);
    surface.CreateImage(-5, 10);
    surface.CreateImage(10, 0);
    EXPECT_EQ(surface.DC(), dc);
    EXPECT_EQ(surface.GetHeight(), 3);
    EXPECT_EQ(Displayed(surface), before);
}

TEST_F(SurfaceLifecycle, SecondImageReleasesTheFirstPicture) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 2);
    std::weak_ptr<StdPicture> first = surface.GetPictureObject();
    const uint32_t firstBitmap = first.lock()->Handle();
    const uint32_t firstDc = surface.DC();
    surface.CreateImage(4, 6);
    EXPECT_TRUE(first.expired());
    BITMAP record;
    EXPECT_EQ(GetObjectA(firstBitmap, BitmapRecordSize, &record), 0) << "its bitmap went with it";
    EXPECT_EQ(DeleteDC(firstDc), 0) << "the first context was deleted";
    EXPECT_EQ(surface.GetWidth(), 6);
}

TEST_F(SurfaceLifecycle, ResizeKeepsContentAtTheTopLeft) {
    clsOffScreenDC surface;
    surface.ResizeDC(5, 5);
    EXPECT_EQ(surface.DC(), 0u) << "nothing to resize";
    surface.CreateImage(3, 4);
    Paint(surface);
    const QImage before = Displayed(surface);

    surface.ResizeDC(0, 0);
    EXPECT_EQ(surface.GetHeight(), 3);
    EXPECT_EQ(surface.GetWidth(), 4);
    EXPECT_EQ(Displayed(surface), before);

    surface.ResizeDC(5, 6);
    const QImage grown = Displayed(surface);
    EXPECT_EQ(grown.copy(0, 0, 4, 3), before);
    EXPECT_EQ(grown.pixel(5, 4), qRgb(0, 0, 0)) << "a new bitmap starts black";

    surface.ResizeDC(2, 3);
    EXPECT_EQ(Displayed(surface), before.copy(0, 0, 3, 2)) << "cut at the right and bottom";

    surface.ResizeDC(-1, 50);
    EXPECT_EQ(surface.GetHeight(), 2);
    EXPECT_EQ(surface.GetWidth(), 50);
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfaceLifecycle, RemoveEmptiesAndReleases) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    std::weak_ptr<StdPicture> picture = surface.GetPictureObject();
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    pixels(0, 0) = 77;
    surface.RemoveDC();
    EXPECT_EQ(surface.DC(), 0u);
    EXPECT_EQ(surface.GetHeight(), 0);
    EXPECT_TRUE(picture.expired());
    ByteArray2D untouched;
    surface.GetByteArray(untouched);
    EXPECT_FALSE(untouched.IsAllocated());
    surface.SetByteArray(pixels);
    ByteArray1D column;
    surface.Get1DByteArray(column);
    surface.Set1DByteArray(column, 2, 3);
    EXPECT_FALSE(column.IsAllocated());
    EXPECT_TRUE(Box.Records.empty());
}

TEST_F(SurfaceLifecycle, DisplayCopiesTheWholeImageToTheTopLeft) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    Paint(surface, 5);
    DeviceContext target(4, 4);
    target.Fill(qRgb(255, 255, 255));
    surface.DisplayToDC(target.Dc());
    const QImage image = target.Image();
    EXPECT_EQ(image.pixel(0, 0), Painted(0, 1, 5)) << "top line of the image";
    EXPECT_EQ(image.pixel(2, 1), Painted(2, 0, 5));
    EXPECT_EQ(image.pixel(3, 0), qRgb(255, 255, 255));
}

TEST_F(SurfaceLifecycle, EachRoundTripRemovesTheReloadFileFromItsPrivateFolder) {
    clsOffScreenDC surface;
    surface.CreateImage(3, 5);
    Paint(surface);
    surface.ResizeDC(4, 0);
    EXPECT_TRUE(Box.Records.empty());
    const std::string path = ReloadFilePath();
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).fileName(), "DCReload.bmp");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_EQ(Folder.filePath("quillax-" + QString::number(geteuid())).toStdString() + "/DCReload.bmp", path);
    struct stat status {};
    ASSERT_EQ(stat(path.substr(0, path.rfind('/')).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(Displayed(surface).pixel(3, 0), Painted(3, 2)) << "resized through the file";
}

// Two programs of one user share the reload file; each round trip must read back what it wrote, never
// the other's pixels or a file the other has just emptied or removed.
TEST_F(SurfaceLifecycle, RoundTripsThroughTheReloadFileNeverCross) {
    const std::string path = ReloadFilePath();
    const auto crossings = [&path](uint8_t fill, int32_t width) {
        PICTDESC description;
        description.picType = PICTYPE_BITMAP;
        description.hbitmap = CreateDibBitmap24(width, 3);
        PixelPlane plane;
        GetBitmapPlane(description.hbitmap, plane);
        std::memset(plane.Top + 2 * plane.Step, fill, static_cast<size_t>(-3 * plane.Step));
        const PictureRef picture = OleCreatePictureIndirect(description, true);
        int crossed = 0;
        for (int i = 0; i < 300; ++i) {
            const PictureRef reloaded = RoundTripFileNoFollow(path, picture);
            PixelPlane back;
            GetBitmapPlane(reloaded->Handle(), back);
            crossed += back.Width != width || back.Top[0] != fill || back.Top[2 * back.Step] != fill ? 1 : 0;
        }
        return crossed;
    };
    const pid_t other = fork();
    if (other == 0) {
        _exit(crossings('a', 23000));
    }
    EXPECT_EQ(crossings('b', 1000), 0);
    int status = -1;
    waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

TEST_F(SurfaceLifecycle, UntrustedFoldersAreLeftAloneForAFreshPrivateOne) {
    const std::string usual = Folder.filePath("quillax-" + QString::number(geteuid())).toStdString();
    const auto usedInstead = [&] {
        Box.Records.clear();
        clsOffScreenDC surface;
        surface.CreateImage(2, 2);
        EXPECT_TRUE(Box.Records.empty());
        const std::string path = ReloadFilePath();
        EXPECT_TRUE(path.starts_with(usual + "-")) << path;
        EXPECT_EQ(ReloadFilePath(), path) << "kept for the rest of the program";
        struct stat status {};
        EXPECT_EQ(lstat(path.substr(0, path.rfind('/')).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u);
    };
    ASSERT_EQ(mkdir(usual.c_str(), 0755), 0);
    usedInstead();
    struct stat status {};
    ASSERT_EQ(lstat(usual.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0755u) << "left alone";
    ASSERT_EQ(rmdir(usual.c_str()), 0);
    ASSERT_EQ(symlink(Folder.path().toLocal8Bit().constData(), usual.c_str()), 0);
    usedInstead();
    if (geteuid() == 0) {
        ASSERT_EQ(unlink(usual.c_str()), 0);
        ASSERT_EQ(mkdir(usual.c_str(), 0700), 0);
        ASSERT_EQ(chown(usual.c_str(), 65534, 65534), 0);
        usedInstead();
    }
}

TEST_F(SurfaceLifecycle, NeverWritesThroughALinkOrIntoAFileNotItsOwn) {
    const QString path = QString::fromStdString(ReloadFilePath());
    const QString victim = Folder.filePath("victim.txt");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    const std::vector<std::function<bool()>> plants = {
        [&] { return QFile::link(victim, path); },
        [&] { return link(victim.toLocal8Bit().constData(), path.toLocal8Bit().constData()) == 0; },
        [&] { return mkfifo(path.toLocal8Bit().constData(), 0600) == 0; }};
    for (const auto& plant : plants) {
        ASSERT_TRUE(plant());
        Box.Records.clear();
        clsOffScreenDC surface;
        surface.CreateImage(2, 2);
        EXPECT_EQ(Locations(), std::vector<std::string>{"GetDCsObject"});
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "keep");
        ASSERT_TRUE(QFile::remove(path) || unlink(path.toLocal8Bit().constData()) == 0);
    }
}

TEST_F(SurfaceLifecycle, WaitsAtMostTwoSecondsForAnotherProgram) {
    const std::string path = ReloadFilePath();
    const int held = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    clsOffScreenDC surface;
    const auto start = std::chrono::steady_clock::now();
    surface.CreateImage(2, 2);
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited.count(), 1.9);
    EXPECT_LT(waited.count(), 4);
    ASSERT_EQ(Box.Records.size(), 1u);
    EXPECT_EQ(Box.Records[0].Title, "Error: 75");
    EXPECT_NE(Box.Records[0].Prompt.find("in use by another program"), std::string::npos);
    close(held);
    surface.CreateImage(2, 2);
    EXPECT_EQ(Box.Records.size(), 1u) << "free again";
}

TEST_F(SurfaceLifecycle, FailedConversionLeavesNoAddressableBits) {
    SetReloadFolderBase(Folder.filePath("no/such/folder").toStdString());
    clsOffScreenDC surface;
    surface.CreateImage(2, 3);
    EXPECT_EQ(Locations(), std::vector<std::string>{"GetDCsObject"});
    EXPECT_EQ(Box.Records[0].Title, "Error: 75");
    EXPECT_NE(surface.DC(), 0u);
    EXPECT_EQ(surface.GetHeight(), 2);
    ByteArray2D pixels = ByteArray2D::Fixed(0, 1, 0, 0);
    pixels(0, 0) = 9;
    surface.GetByteArray(pixels);
    surface.SetByteArray(pixels);
    EXPECT_EQ(pixels(0, 0), 9);
    EXPECT_EQ(Displayed(surface).pixel(0, 0), qRgb(0, 0, 0)) << "the device bitmap still displays";
    EXPECT_EQ(Box.Records.size(), 1u) << "the pixel operations touch nothing";
    surface.RemoveDC();

    SetReloadFolderBase(Folder.path().toStdString());
    surface.CreateImage(2, 3);
    Paint(surface);
    EXPECT_EQ(Displayed(surface).pixel(2, 1), Painted(2, 0));
}

TEST_F(SurfaceLifecycle, ImagesBeyondTheLimitAreReportedAndChangeNothing) {
    clsOffScreenDC surface;
    surface.CreateImage(2, 2);
    const uint32_t dc = surface.DC();
    surface.CreateImage(65536, 65536);
    surface.ResizeDC(0, 1 << 30);
    surface.CreateImage(16385, 16384); // one line beyond the documented limit, refused before allocating
    EXPECT_EQ(Locations(), (std::vector<std::string>{"CreateImage", "ResizeDC", "CreateImage"}));
    EXPECT_EQ(Titles(), "Error: 7;Error: 7;Error: 7;");
    EXPECT_EQ(surface.DC(), dc);
    EXPECT_EQ(surface.GetWidth(), 2);
}

TEST_F(SurfaceLifecycle, ImagesBeyondQtsDefaultReaderLimitStillReloadAndLeaveItAsItWas) {
    const int readerLimit = QImageReader::allocationLimit();
    clsOffScreenDC surface;
    surface.CreateImage(4100, 8200); // 134 MB at 4 bytes a pixel
    EXPECT_TRUE(Box.Records.empty());
    EXPECT_EQ(QImageReader::allocationLimit(), readerLimit) << "every other image the program reads";
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    EXPECT_EQ(pixels.UBound(1), 3 * 8200 - 1);
    surface.RemoveDC();
}

} // namespace quillax
