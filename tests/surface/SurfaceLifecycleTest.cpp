#include "support/ErrorOf.h"
#include "support/SurfaceFixture.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

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

TEST_F(SurfaceLifecycle, ReloadFileHoldsTheImageAsMadeInAPrivateFolder) {
    clsOffScreenDC surface;
    surface.CreateImage(3, 5);
    const std::string path = ReloadFilePath();
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).fileName(), "DCReload.bmp");
    const QImage made(QString::fromStdString(path));
    EXPECT_EQ(made.size(), QSize(5, 3));
    EXPECT_EQ(made.convertToFormat(QImage::Format_RGB32), Displayed(surface));
    struct stat status {};
    ASSERT_EQ(lstat(QFileInfo(QString::fromStdString(path)).path().toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    Paint(surface);
    surface.ResizeDC(4, 0);
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), Displayed(surface))
        << "every resize rewrites it";
}

// Two programs of one user share the reload file; each round trip must read back what it wrote, never
// the other's bytes or a file the other has just emptied.
TEST_F(SurfaceLifecycle, RoundTripsThroughTheReloadFileNeverCross) {
    const std::string path = ReloadFilePath();
    auto roundTrips = [&path](char fill, qsizetype size) {
        const QByteArray bytes(size, fill);
        int crossed = 0;
        for (int i = 0; i < 300; ++i) {
            crossed += RoundTripFileNoFollow(path, bytes) != bytes ? 1 : 0;
        }
        return crossed;
    };
    std::future<int> other = std::async(std::launch::async, roundTrips, 'a', 70000);
    EXPECT_EQ(roundTrips('b', 3000), 0);
    EXPECT_EQ(other.get(), 0);
}

TEST_F(SurfaceLifecycle, RefusesFoldersThatAreNotPrivate) {
    const std::string folder = Folder.filePath("quillax-" + QString::number(geteuid())).toStdString();
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    EXPECT_EQ(ErrorOf([] { ReloadFilePath(); }), ErrNo::PathFileAccessError);
    ASSERT_EQ(rmdir(folder.c_str()), 0);
    ASSERT_EQ(symlink(Folder.path().toLocal8Bit().constData(), folder.c_str()), 0);
    EXPECT_EQ(ErrorOf([] { ReloadFilePath(); }), ErrNo::PathFileAccessError) << "a link is no folder";
}

TEST_F(SurfaceLifecycle, NeverWritesThroughALink) {
    clsOffScreenDC surface;
    surface.CreateImage(1, 1);
    const QString path = QString::fromStdString(ReloadFilePath());
    const QString victim = Folder.filePath("victim.txt");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    QFile::remove(path);
    ASSERT_TRUE(QFile::link(victim, path));
    surface.CreateImage(2, 2);
    EXPECT_EQ(Locations(), std::vector<std::string>{"GetDCsObject"});
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
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
    EXPECT_EQ(Locations(), (std::vector<std::string>{"CreateImage", "ResizeDC"}));
    EXPECT_EQ(Titles(), "Error: 7;Error: 7;");
    EXPECT_EQ(surface.DC(), dc);
    EXPECT_EQ(surface.GetWidth(), 2);
}

TEST_F(SurfaceLifecycle, ImagesBeyondQtsDefaultReaderLimitStillReload) {
    clsOffScreenDC surface;
    surface.CreateImage(4100, 8200); // 134 MB at 4 bytes a pixel
    EXPECT_TRUE(Box.Records.empty());
    ByteArray2D pixels;
    surface.GetByteArray(pixels);
    EXPECT_EQ(pixels.UBound(1), 3 * 8200 - 1);
    surface.RemoveDC();
}

} // namespace quillax
