#include "sceneexport/SvgPathRun.h"

#include <algorithm>
#include <cstdio>

namespace quillax {

namespace {
// A pair as the document writes it: positions are whole pixels or halves, and a far segment's end is
// held within 2^28 pixels, so ten digits give every one exactly and the relative moves never drift.
void AppendPair(QIODevice& out, const char* command, double x, double y) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%s%.10g %.10g", command, x, y);
    out.write(text, std::clamp(length, 0, static_cast<int>(sizeof text) - 1));
}
} // namespace

void SvgPathRun::MoveTo(const std::string& attributes, double x, double y) {
    if (Open && attributes == Attributes) {
        AppendPair(Out, "m", x - PenX, y - PenY);
    } else {
        End();
        Out.write("<path ");
        Out.write(attributes.data(), static_cast<qint64>(attributes.size()));
        AppendPair(Out, " d=\"M", x, y);
        Attributes = attributes;
        Open = true;
    }
    PenX = x;
    PenY = y;
}

void SvgPathRun::AddLine(const std::string& attributes, double x1, double y1, double x2, double y2) {
    MoveTo(attributes, x1, y1);
    AppendPair(Out, "l", x2 - x1, y2 - y1);
    PenX = x2;
    PenY = y2;
}

void SvgPathRun::AddDot(const std::string& attributes, double x, double y) {
    MoveTo(attributes, x, y);
    Out.write("h0");
}

void SvgPathRun::End() {
    if (Open) {
        Out.write("\"/>\n");
        Open = false;
    }
}

} // namespace quillax
