#include "objectsvg/SvgPathData.h"

#include "objectsvg/SvgNumbers.h"

#include <cctype>
#include <string>

namespace quillax {

namespace {
// Path data read a command at a time: the numbers of each, relative ones made absolute.
class PathReader {
public:
    PathReader(std::string_view data, SvgOutline& outline) : In(data), Outline(outline) {}

    void Draw() {
        while (!In.AtEnd()) {
            const char next = In.Peek();
            if (std::isalpha(static_cast<unsigned char>(next))) {
                Command = next;
                In.Advance();
            } else if (Command == 0 || Command == 'Z' || Command == 'z') {
                Fail("expected a command letter");
            }
            DrawOne();
            In.SkipSeparators();
        }
    }

private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw SvgShapeError{"path data at character " + std::to_string(In.Offset() + 1) + ": " + why};
    }

    double Number() {
        In.SkipSeparators();
        const std::optional<double> value = In.Number();
        if (!value) {
            Fail(std::string("expected a number for ") + Command);
        }
        return *value;
    }

    bool Flag() {
        In.SkipSeparators();
        const std::optional<bool> flag = In.Flag();
        if (!flag) {
            Fail(std::string("expected a flag, 0 or 1, for ") + Command);
        }
        return *flag;
    }

    bool Relative() const { return std::islower(static_cast<unsigned char>(Command)) != 0; }

    SvgPoint Point() {
        const double x = Number();
        const double y = Number();
        const SvgPoint pen = Outline.Current();
        return Relative() ? SvgPoint{pen.X + x, pen.Y + y} : SvgPoint{x, y};
    }

    // The first control point of a smooth curve: the last one's mirrored, when the last was the same kind.
    SvgPoint Mirrored(bool cubic) const {
        const SvgPoint pen = Outline.Current();
        const bool follows = cubic ? LastKind == 'C' : LastKind == 'Q';
        return follows ? SvgPoint{2 * pen.X - LastControl.X, 2 * pen.Y - LastControl.Y} : pen;
    }

    void RefuseUnlessCurves() const {
        if (!Outline.TakesCurves()) {
            throw CurveRefused(std::string("a curve (") + Command + ")");
        }
    }

    void DrawCubic(bool smooth) {
        RefuseUnlessCurves();
        const SvgPoint c1 = smooth ? Mirrored(true) : Point();
        const SvgPoint c2 = Point();
        Outline.CubicTo(c1, c2, Point());
        LastControl = c2;
    }

    void DrawQuadratic(bool smooth) {
        RefuseUnlessCurves();
        const SvgPoint control = smooth ? Mirrored(false) : Point();
        Outline.QuadraticTo(control, Point());
        LastControl = control;
    }

    void DrawArc() {
        const double rx = Number();
        const double ry = Number();
        const double rotation = Number();
        const bool large = Flag();
        const bool sweep = Flag();
        const SvgPoint to = Point();
        Outline.ArcTo(rx, ry, rotation, large, sweep, to);
    }

    void DrawOne() {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Command)));
        const SvgPoint pen = Outline.Current();
        char kind = 0;
        switch (upper) {
        case 'M':
            Outline.MoveTo(Point());
            // Further pairs after a move are lines.
            Command = Relative() ? 'l' : 'L';
            break;
        case 'L':
            Outline.LineTo(Point());
            break;
        case 'H': {
            const double x = Number();
            Outline.LineTo({Relative() ? pen.X + x : x, pen.Y});
            break;
        }
        case 'V': {
            const double y = Number();
            Outline.LineTo({pen.X, Relative() ? pen.Y + y : y});
            break;
        }
        case 'Z':
            Outline.Close();
            break;
        case 'C':
        case 'S':
            DrawCubic(upper == 'S');
            kind = 'C';
            break;
        case 'Q':
        case 'T':
            DrawQuadratic(upper == 'T');
            kind = 'Q';
            break;
        case 'A':
            DrawArc();
            break;
        default:
            Fail(std::string("no command ") + Command + " in path data");
        }
        LastKind = kind;
    }

    SvgNumbers In;
    SvgOutline& Outline;
    char Command = 0;
    char LastKind = 0;
    SvgPoint LastControl;
};
} // namespace

void DrawPathData(std::string_view data, SvgOutline& outline) {
    PathReader(data, outline).Draw();
}

void DrawPointList(std::string_view points, SvgOutline& outline, bool closed) {
    SvgNumbers in(points);
    bool first = true;
    while (!in.AtEnd()) {
        const std::optional<double> x = in.Number();
        in.SkipSeparators();
        const std::optional<double> y = x ? in.Number() : std::nullopt;
        if (!x || !y) {
            throw SvgShapeError{"points at character " + std::to_string(in.Offset() + 1) +
                                (x ? ": an x without its y" : ": expected a number")};
        }
        in.SkipSeparators();
        first ? outline.MoveTo({*x, *y}) : outline.LineTo({*x, *y});
        first = false;
    }
    if (closed) {
        outline.Close();
    }
}

} // namespace quillax
