#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quillax {

// One pixel row of a marker, in columns of its box (inclusive): the outline runs from Start to End
// except for the fill from FillStart to FillEnd. An empty row has Start > End; a row without fill has
// FillStart = End + 1 and FillEnd = End.
struct MarkerRow {
    int32_t Start;
    int32_t FillStart;
    int32_t FillEnd;
    int32_t End;
};

// The pixels of the circle (an ellipse for unequal sides) inscribed in a box of whole pixels: a pixel
// belongs to it when its centre lies within the ellipse a quarter pixel inside the box, and it is
// outline when a pixel beside, above or below it does not. 3 x 3 gives a plus sign of outline around
// one filled pixel; 5 x 5 a rounded square of 12 outline pixels around a filled 3 x 3.
class MarkerShape {
public:
    // Sides above this are drawn at this size.
    static constexpr int32_t MaxSide = 16383;

    MarkerShape(int32_t width, int32_t height);

    int32_t Width() const { return ShapeWidth; }
    int32_t Height() const { return static_cast<int32_t>(Rows.size()); }
    const MarkerRow& Row(int32_t row) const { return Rows[static_cast<size_t>(row)]; }

private:
    int32_t ShapeWidth;
    std::vector<MarkerRow> Rows;
};

// The shapes of one painting pass: the two designed sizes are made once for the program, any other
// size when it first appears.
class MarkerShapes {
public:
    MarkerShapes();

    const MarkerShape& For(int32_t width, int32_t height) {
        if (width == height && (width == 3 || width == 5)) {
            return width == 3 ? Small : Large;
        }
        return ForOther(width, height);
    }

private:
    const MarkerShape& ForOther(int32_t width, int32_t height);

    const MarkerShape& Small;
    const MarkerShape& Large;
    std::optional<MarkerShape> Other;
};

} // namespace quillax
