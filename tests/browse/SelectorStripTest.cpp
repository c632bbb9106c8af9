#include "browse/SelectorStrip.h"
#include "support/PaintRecorder.h"
#include "support/StripTestBoxes.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace quillax {

namespace {
class SelectorStripTest : public ::testing::Test {
protected:
    void Show(BoxFlow flow, int count, int perLine) {
        Boxes = FlowedStrip(count, flow, perLine);
        Strip = std::make_unique<SelectorStrip>(Boxes, PointBoxColours);
        Strip->SetFlow(flow);
        Strip->resize(200, 200);
        Strip->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Strip.get()));
        Strip->RepaintChangedBoxes();
        QCoreApplication::processEvents();
    }
    QPoint Middle(int16_t index) const {
        const BoxElement& box = Boxes(index);
        return QPoint(static_cast<int>(box.Left + 8), static_cast<int>(box.Top + 8));
    }
    QColor PixelAt(QPoint point) const { return Strip->grab().toImage().pixelColor(point); }

    ElementArray<BoxElement> Boxes{BoxElement{}};
    std::unique_ptr<SelectorStrip> Strip;
};
} // namespace

TEST_F(SelectorStripTest, PaintsShownBoxesInTheColoursOfTheirMarks) {
    Show(BoxFlow::Rows, 3, 4);
    Strip->SetMarkSource([](int16_t index) { return index == 1; });
    Boxes(2).Visible = false;
    const QImage image = Strip->grab().toImage();
    EXPECT_EQ(image.pixelColor(Middle(0)), QColor(128, 0, 0));
    EXPECT_EQ(image.pixelColor(Middle(1)), QColor(255, 128, 0));
    EXPECT_EQ(image.pixelColor(Middle(2)), Strip->palette().window().color());
    EXPECT_EQ(image.pixelColor(QPoint(20, 8)), Strip->palette().window().color());
    EXPECT_EQ(image.pixelColor(QPoint(17, 17)), QColor(128, 0, 0)) << "box 0 covers 1..17";
    EXPECT_EQ(image.pixelColor(QPoint(18, 18)), Strip->palette().window().color());
    EXPECT_EQ(Strip->ShownColour(1), PointBoxColours.Selected);
    EXPECT_EQ(Strip->ShownColour(0), PointBoxColours.Unselected);
}

TEST_F(SelectorStripTest, AClickOnABoxReportsItsIndex) {
    Show(BoxFlow::Columns, 6, 4);
    QSignalSpy clicked(Strip.get(), &SelectorStrip::BoxClicked);
    QTest::mouseClick(Strip.get(), Qt::LeftButton, {}, Middle(5));
    QTest::mouseClick(Strip.get(), Qt::LeftButton, {}, QPoint(19, 8));
    QTest::mouseClick(Strip.get(), Qt::RightButton, {}, Middle(1));
    QTest::mousePress(Strip.get(), Qt::LeftButton, {}, Middle(1));
    QTest::mouseRelease(Strip.get(), Qt::LeftButton, {}, Middle(2));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<int16_t>(), 5);
    EXPECT_EQ(Strip->FocusIndex(), 1) << "a press moves the keyboard focus to its box";
}

TEST_F(SelectorStripTest, ArrowKeysMoveAVisibleFocusAndSpaceClicksIt) {
    Show(BoxFlow::Rows, 10, 4);
    QSignalSpy clicked(Strip.get(), &SelectorStrip::BoxClicked);
    Strip->setFocus();
    const QColor frame = Strip->palette().color(QPalette::WindowText);
    EXPECT_EQ(PixelAt(QPoint(0, 8)), frame) << "box 0's frame is kept inside the panel";
    QTest::keyClick(Strip.get(), Qt::Key_Right);
    QTest::keyClick(Strip.get(), Qt::Key_Down);
    QTest::keyClick(Strip.get(), Qt::Key_Space);
    EXPECT_EQ(Strip->FocusIndex(), 5);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<int16_t>(), 5);
    const BoxElement& box = Boxes(5);
    EXPECT_EQ(PixelAt(QPoint(static_cast<int>(box.Left) - 2, static_cast<int>(box.Top) + 8)), frame);
    EXPECT_EQ(PixelAt(QPoint(static_cast<int>(box.Left) + 18, static_cast<int>(box.Top) + 8)), frame);
    EXPECT_NE(PixelAt(QPoint(static_cast<int>(Boxes(1).Left) - 2, 8)), frame);
    Strip->clearFocus();
    EXPECT_NE(PixelAt(QPoint(static_cast<int>(box.Left) - 2, static_cast<int>(box.Top) + 8)), frame);
}

TEST_F(SelectorStripTest, AnEmptyStripIgnoresTheKeyboard) {
    Show(BoxFlow::Rows, 1, 4);
    Boxes(0).Visible = false;
    QSignalSpy clicked(Strip.get(), &SelectorStrip::BoxClicked);
    Strip->setFocus();
    QTest::keyClick(Strip.get(), Qt::Key_Space);
    QTest::keyClick(Strip.get(), Qt::Key_Right);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(PixelAt(QPoint(0, 8)), Strip->palette().window().color());
}

TEST_F(SelectorStripTest, RepaintsOnlyTheBoxesThatChanged) {
    Show(BoxFlow::Rows, 300, 8);
    PaintRecorder recorder;
    Strip->installEventFilter(&recorder);
    Boxes(9).Visible = false;
    Strip->RepaintChangedBoxes();
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.Regions.size(), 1u);
    EXPECT_EQ(recorder.Regions[0], QRegion(SelectorStrip::BoxArea(Boxes(9))));

    recorder.Regions.clear();
    Strip->RepaintChangedBoxes();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.Regions.empty()) << "nothing changed since";
    EXPECT_EQ(PixelAt(Middle(9)), Strip->palette().window().color());
}

TEST_F(SelectorStripTest, AsksForTheTooltipOfTheBoxUnderTheMouse) {
    Show(BoxFlow::Rows, 3, 4);
    std::vector<int16_t> asked;
    Strip->SetTipSource([&](int16_t index) {
        asked.push_back(index);
        return index == 2 ? std::string() : "Box " + std::to_string(index);
    });
    const auto hover = [&](QPoint point) {
        QHelpEvent help(QEvent::ToolTip, point, Strip->mapToGlobal(point));
        QCoreApplication::sendEvent(Strip.get(), &help);
    };
    hover(QPoint(19, 8));
    hover(Middle(2));
    EXPECT_TRUE(QToolTip::text().isEmpty());
    hover(Middle(1));
    EXPECT_EQ(QToolTip::text(), "Box 1");
    EXPECT_EQ(asked, (std::vector<int16_t>{2, 1}));
}

} // namespace quillax
