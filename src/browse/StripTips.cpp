#include "browse/StripTips.h"

#include <initializer_list>
#include <string_view>

namespace quillax {

namespace {
// Appending in order: a literal prepended to a temporary string makes GCC 12 at -O3 warn of an
// overlapping copy that cannot happen.
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

} // namespace

std::string CoordinatesText(float x, float y) {
    return Joined({"(", FloatText(x), ", ", FloatText(y), ")"});
}

std::string PointTipText(int32_t mesh, int32_t index, float x, float y) {
    return Joined(
        {"Mesh ", std::to_string(mesh), ", point ", std::to_string(index), ": ", CoordinatesText(x, y)});
}

std::string PointsTipText(int32_t mesh, int32_t first, int32_t second, float x, float y) {
    return Joined({"Mesh ", std::to_string(mesh), ", points ", std::to_string(first), " and ",
                   std::to_string(second), ": ", CoordinatesText(x, y)});
}

std::string LineTipText(int32_t mesh, int32_t index, float x1, float y1, float x2, float y2) {
    return Joined({"Mesh ", std::to_string(mesh), ", line ", std::to_string(index), ": ",
                   CoordinatesText(x1, y1), " to ", CoordinatesText(x2, y2)});
}

} // namespace quillax
