#pragma once

#include <QIODevice>

#include <string>

namespace quillax {

// Many small shapes of one look as one path element, a subpath each, so that a view of a million
// markers stays a document of megabytes: each subpath starts with a move relative to where the last
// ended, and a new path starts only where the look changes. Every subpath keeps its own caps, so a run
// of segments draws as the segments one by one would, and a dot (a subpath of length 0 with round
// caps) as a filled circle as wide as the stroke.
class SvgPathRun {
public:
    explicit SvgPathRun(QIODevice& out) : Out(out) {}
    ~SvgPathRun() { End(); }
    SvgPathRun(const SvgPathRun&) = delete;
    SvgPathRun& operator=(const SvgPathRun&) = delete;

    // attributes: the path's look, as `stroke="#ff0000" stroke-width="2"`.
    void AddLine(const std::string& attributes, double x1, double y1, double x2, double y2);
    void AddDot(const std::string& attributes, double x, double y);
    // Ends the open path, so that what is written next goes over it.
    void End();

private:
    void MoveTo(const std::string& attributes, double x, double y);

    QIODevice& Out;
    std::string Attributes;
    bool Open = false;
    double PenX = 0;
    double PenY = 0;
};

} // namespace quillax
