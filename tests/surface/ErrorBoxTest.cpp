#include "surface/ErrorBox.h"
#include "support/SurfaceFixture.h"

namespace quillax {

TEST(ErrorBox, NumberedErrorShowsNumberLocationAndDescription) {
    const ErrorBoxText text = MakeErrorBoxText(9, "Subscript out of range", "SetByteArray");
    EXPECT_EQ(text.Prompt, "Error: 9\r\nLocation: SetByteArray\r\n\r\nSubscript out of range");
    EXPECT_EQ(text.Title, "Error: 9");
}

TEST(ErrorBox, NumberZeroIsAnUnknownError) {
    const ErrorBoxText text = MakeErrorBoxText(0, "ignored", "LoadFile");
    EXPECT_EQ(text.Prompt,
              "An Unknown error has occurred!\r\nLocation: LoadFile\r\n\r\nNo description is available");
    EXPECT_EQ(text.Title, "Error!");
}

TEST(ErrorBox, NegativeNumbersAndEmptyLocations) {
    const ErrorBoxText text = MakeErrorBoxText(-2147467259, "Automation error", "");
    EXPECT_EQ(text.Prompt, "Error: -2147467259\r\nLocation: \r\n\r\nAutomation error");
    EXPECT_EQ(text.Title, "Error: -2147467259");
}

using SurfaceErrorBox = SurfaceTest;

TEST_F(SurfaceErrorBox, GuardedOperationsShowACriticalBoxAndReturn) {
    clsOffScreenDC surface;
    surface.CreateImage(1, 1);
    surface.SetByteArray(ByteArray2D());
    ASSERT_EQ(Box.Records.size(), 1u);
    EXPECT_EQ(Box.Records[0].Style, 16);
    EXPECT_EQ(Box.Records[0].Title, "Error: 9");
    EXPECT_EQ(Box.Records[0].Prompt, "Error: 9\r\nLocation: SetByteArray\r\n\r\nSubscript out of range");
}

} // namespace quillax
