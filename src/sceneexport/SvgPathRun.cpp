#include "sceneexport/SvgPathRun.h"

#include <algorithm>
#include <cstdio>

namespace quillax {

namespace {
// A number as the document writes it: whole pixels and halves exactly, seven digits at most.
void AppendPair(QIODevice& out, const char* command, double x, double y) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%s%.7g %.7g", command, x, y);
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
