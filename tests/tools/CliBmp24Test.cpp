#include "quillax/CliBmp24.h"
#include "support/BmpBuilder.h"
#include "support/TempFolder.h"
#include "surface/TempBitmapFile.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <sstream>

namespace quillax {

namespace {
class CliBmp24Test : public ::testing::Test {
protected:
    CliBmp24Test() { SetReloadFolderBase(Folder.Root().string()); }
    ~CliBmp24Test() override { SetReloadFolderBase(""); }

    std::string Write(const std::string& name, const QByteArray& bytes) {
        QFile file(QString::fromStdString(Folder.Path(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Folder.Path(name);
    }

    int Run(std::vector<std::string> arguments) {
        std::ostringstream out, err;
        const int status = CliBmp24(CliContext{std::move(arguments), out, err});
        Err = err.str();
        return status;
    }

    TempFolder Folder;
    std::string Err;
};
} // namespace

TEST_F(CliBmp24Test, EveryAcceptedDepthBecomesTheSamePictureInTwentyFourBits) {
    for (const uint16_t bits : {1, 4, 8, 24}) {
        BmpBuilder bitmap(7, 5, bits);
        const uint32_t colours = bits == 24 ? 0xFFFFFF : (1u << bits) - 1;
        for (int32_t row = 0; row < 5; ++row) {
            for (int32_t column = 0; column < 7; ++column) {
                bitmap.Set(column, row, static_cast<uint32_t>(column * 37 + row * 91) % (colours + 1));
            }
        }
        const std::string input = Write("in" + std::to_string(bits) + ".bmp", bitmap.Bytes());
        const std::string output = Folder.Path("out" + std::to_string(bits) + ".bmp");
        ASSERT_EQ(Run({input, output}), 0) << bits << Err;
        QFile file(QString::fromStdString(output));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        EXPECT_EQ(written.at(28), 24) << bits;
        const QImage expected = QImage(QString::fromStdString(input)).convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(QImage::fromData(written).convertToFormat(QImage::Format_RGB32) == expected) << bits;
    }
}

TEST_F(CliBmp24Test, FailuresSayWhyAndExitNonZero) {
    BmpBuilder broken(4, 4, 8);
    broken.Info.biBitCount = 5;
    EXPECT_EQ(Run({Write("broken.bmp", broken.Bytes()), Folder.Path("out.bmp")}), 1);
    EXPECT_FALSE(Err.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Folder.Path("out.bmp"))));

    EXPECT_EQ(Run({Write("text.bmp", "hello"), Folder.Path("out.bmp")}), 1);
    EXPECT_NE(Err.find("text.bmp: not a bitmap file"), std::string::npos) << Err;
    EXPECT_EQ(Run({Folder.Path("none.bmp"), Folder.Path("out.bmp")}), 1);
    EXPECT_NE(Err.find("none.bmp: no such file"), std::string::npos) << Err;

    const std::string good = Write("good.bmp", BmpBuilder(2, 2, 24).Bytes());
    EXPECT_EQ(Run({good, Folder.Path("missing/out.bmp")}), 1);
    EXPECT_EQ(Err, "quillax bmp24: cannot write " + Folder.Path("missing/out.bmp") +
                       ": No such file or directory\n");
    EXPECT_EQ(Run({good}), 2);
    EXPECT_EQ(Run({good, "-x", "b.bmp"}), 2);
    EXPECT_EQ(Run({"--help"}), 0);
}

} // namespace quillax
