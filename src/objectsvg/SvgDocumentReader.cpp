#include "objectsvg/ObjectSvg.h"
#include "objectsvg/SvgNumbers.h"
#include "objectsvg/SvgPaint.h"
#include "objectsvg/SvgPathData.h"
#include "objectsvg/SvgStyleSheet.h"

#include <QXmlStreamReader>

#include <array>
#include <vector>

namespace quillax {

namespace {
constexpr size_t MostMeshes = 32767;
const char* const SvgNamespace = "http://www.w3.org/2000/svg";

// What an element passes on to the elements inside it.
struct SvgState {
    SvgAffine Transform;
    std::optional<SvgPaint> Stroke;
    std::optional<SvgPaint> Fill;
    std::optional<SvgPaint> Colour;
    // Inside defs: there to be referred to, never drawn.
    bool Defined = false;
};

std::string Utf8(QStringView text) {
    return text.toUtf8().toStdString();
}

// A property's value: the style attribute's declaration, else the element's classes', else the
// presentation attribute, else none.
std::optional<std::string> Property(const QXmlStreamAttributes& attributes, const SvgStyleSheet& sheet,
                                    std::string_view name) {
    if (std::optional<std::string> styled = DeclaredValue(Utf8(attributes.value("style")), name)) {
        return styled;
    }
    if (std::optional<std::string> classed =
            DeclaredValue(sheet.DeclarationsFor(Utf8(attributes.value("class"))), name)) {
        return classed;
    }
    const QString attribute = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return attributes.hasAttribute(attribute) ? std::optional(Utf8(attributes.value(attribute)))
                                              : std::nullopt;
}

// A paint property over the one inherited: "inherit", or a value that is not a paint, keeps it.
std::optional<SvgPaint> PaintOver(const std::optional<SvgPaint>& inherited,
                                  const std::optional<std::string>& value) {
    if (!value || *value == "inherit") {
        return inherited;
    }
    const std::optional<SvgPaint> paint = ParseSvgPaint(*value);
    return paint ? paint : inherited;
}

SvgState StateOf(const SvgState& parent, const QXmlStreamAttributes& attributes, const SvgStyleSheet& sheet) {
    SvgState state = parent;
    if (attributes.hasAttribute("transform")) {
        const ParsedTransform parsed = ParseSvgTransform(Utf8(attributes.value("transform")));
        if (!parsed.Transform) {
            throw SvgShapeError{parsed.Error};
        }
        state.Transform = parent.Transform.After(*parsed.Transform);
    }
    state.Stroke = PaintOver(parent.Stroke, Property(attributes, sheet, "stroke"));
    state.Fill = PaintOver(parent.Fill, Property(attributes, sheet, "fill"));
    state.Colour = PaintOver(parent.Colour, Property(attributes, sheet, "color"));
    return state;
}

// The stroke when it is a colour, else the fill when one is given, else white.
SvgPaint MeshPaint(const SvgState& state) {
    const SvgPaint black{SvgPaint::Kind::Colour, 0, 0, 0};
    for (const std::optional<SvgPaint>& paint : {state.Stroke, state.Fill}) {
        if (paint && paint->Is == SvgPaint::Kind::Colour) {
            return *paint;
        }
        if (paint && paint->Is == SvgPaint::Kind::CurrentColour) {
            return state.Colour && state.Colour->Is == SvgPaint::Kind::Colour ? *state.Colour : black;
        }
    }
    return {SvgPaint::Kind::Colour, 1, 1, 1};
}

// A length attribute in user units; 0 when it is not given.
double Length(const QXmlStreamAttributes& attributes, const char* name) {
    const std::string text = Utf8(attributes.value(name));
    SvgNumbers in(text);
    const std::optional<double> value = in.Number();
    in.SkipSpace();
    const std::string_view unit = std::string_view(text).substr(std::min(in.Offset(), text.size()));
    if (text.empty()) {
        return 0;
    }
    if (!value || !(Trimmed(unit).empty() || Trimmed(unit) == "px")) {
        throw SvgShapeError{std::string(name) + "=\"" + text +
                            "\": lengths are taken in user units (px) only"};
    }
    return *value;
}

void RefuseUnlessCurves(const SvgOutline& outline, const char* what) {
    if (!outline.TakesCurves()) {
        throw CurveRefused(what);
    }
}

// An ellipse about (cx, cy) as four quarter arcs, from its rightmost point.
void DrawEllipse(SvgOutline& outline, double cx, double cy, double rx, double ry) {
    outline.MoveTo({cx + rx, cy});
    outline.ArcTo(rx, ry, 0, false, true, {cx, cy + ry});
    outline.ArcTo(rx, ry, 0, false, true, {cx - rx, cy});
    outline.ArcTo(rx, ry, 0, false, true, {cx, cy - ry});
    outline.ArcTo(rx, ry, 0, false, true, {cx + rx, cy});
    outline.Close();
}

void DrawRect(SvgOutline& outline, const QXmlStreamAttributes& attributes) {
    const double x = Length(attributes, "x");
    const double y = Length(attributes, "y");
    const double w = Length(attributes, "width");
    const double h = Length(attributes, "height");
    if (!(w > 0 && h > 0)) {
        return;
    }
    // A radius given alone stands for both; neither is more than half the side.
    double rx = attributes.hasAttribute("rx") ? Length(attributes, "rx") : Length(attributes, "ry");
    double ry = attributes.hasAttribute("ry") ? Length(attributes, "ry") : rx;
    rx = std::clamp(rx, 0.0, w / 2);
    ry = std::clamp(ry, 0.0, h / 2);
    if (rx > 0 && ry > 0) {
        RefuseUnlessCurves(outline, "a rect with rounded corners");
    }
    outline.MoveTo({x + rx, y});
    outline.LineTo({x + w - rx, y});
    outline.ArcTo(rx, ry, 0, false, true, {x + w, y + ry});
    outline.LineTo({x + w, y + h - ry});
    outline.ArcTo(rx, ry, 0, false, true, {x + w - rx, y + h});
    outline.LineTo({x + rx, y + h});
    outline.ArcTo(rx, ry, 0, false, true, {x, y + h - ry});
    outline.LineTo({x, y + ry});
    outline.ArcTo(rx, ry, 0, false, true, {x + rx, y});
    outline.Close();
}

// Draws the shape of that name; false when the name is not one of a shape.
bool DrawShape(QStringView name, const QXmlStreamAttributes& attributes, SvgOutline& outline) {
    if (name == u"path") {
        DrawPathData(Utf8(attributes.value("d")), outline);
    } else if (name == u"polyline" || name == u"polygon") {
        DrawPointList(Utf8(attributes.value("points")), outline, name == u"polygon");
    } else if (name == u"line") {
        outline.MoveTo({Length(attributes, "x1"), Length(attributes, "y1")});
        outline.LineTo({Length(attributes, "x2"), Length(attributes, "y2")});
    } else if (name == u"rect") {
        DrawRect(outline, attributes);
    } else if (name == u"circle" || name == u"ellipse") {
        const bool circle = name == u"circle";
        const double rx = Length(attributes, circle ? "r" : "rx");
        const double ry = circle ? rx : Length(attributes, "ry");
        if (rx > 0 && ry > 0) {
            RefuseUnlessCurves(outline, circle ? "a circle" : "an ellipse");
            DrawEllipse(outline, Length(attributes, "cx"), Length(attributes, "cy"), rx, ry);
        }
    } else {
        return false;
    }
    return true;
}

bool IsGroup(QStringView name) {
    return name == u"g" || name == u"a" || name == u"switch";
}

// The document read an element at a time, the groups' states on a stack.
class SvgDocumentReader {
public:
    SvgDocumentReader(std::string_view document, const SvgImportOptions& options)
        : Xml(QByteArray::fromRawData(document.data(), static_cast<qsizetype>(document.size()))),
          Options(options) {}

    ObjectImport Read() {
        while (!Xml.atEnd()) {
            const QXmlStreamReader::TokenType token = Xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (std::string error = Start(); !error.empty()) {
                    return {std::nullopt, error};
                }
            } else if (token == QXmlStreamReader::EndElement) {
                States.pop_back();
            }
        }
        if (Xml.hasError()) {
            return {std::nullopt, "line " + std::to_string(Xml.lineNumber()) + ", column " +
                                      std::to_string(Xml.columnNumber()) + ": " + Utf8(Xml.errorString())};
        }
        if (Object.Meshes.empty()) {
            return {std::nullopt, "no shape to convert: the document has no polyline, polygon, line, rect, "
                                  "circle, ellipse or path"};
        }
        Object.MeshCount = static_cast<int16_t>(Object.Meshes.size());
        Object.CentreX = Options.CentreX;
        Object.CentreY = Options.CentreY;
        return {std::move(Object), {}};
    }

private:
    // The element just started, taken or passed over; the reason it cannot be, with its line.
    std::string Start() {
        const std::string place = "line " + std::to_string(Xml.lineNumber()) + ": " + Described();
        try {
            Take();
            return {};
        } catch (const SvgShapeError& error) {
            return place + ": " + error.Reason;
        }
    }

    void Take() {
        const QStringView name = Xml.name();
        const bool svg = Xml.namespaceUri().isEmpty() || Xml.namespaceUri() == QLatin1String(SvgNamespace);
        if (States.empty()) {
            if (!svg || name != u"svg") {
                throw SvgShapeError{"not an SVG document: its root is not an svg element"};
            }
            SvgState root;
            root.Transform = SvgAffine{Options.Scale, 0, 0, Options.Scale, 0, 0};
            States.push_back(StateOf(root, Xml.attributes(), Sheet));
            return;
        }
        const QXmlStreamAttributes attributes = Xml.attributes();
        if (svg && name == u"style") {
            return Sheet.Add(Utf8(Xml.readElementText(QXmlStreamReader::IncludeChildElements)));
        }
        if (!svg || Property(attributes, Sheet, "display") == "none") {
            return Xml.skipCurrentElement();
        }
        // Definitions may hold the style sheet; nothing in them is drawn.
        if (name == u"defs" || States.back().Defined) {
            States.push_back(SvgState{{}, {}, {}, {}, true});
            return;
        }
        if (name == u"svg" || name == u"use") {
            throw SvgShapeError{name == u"svg" ? "a nested svg element (a viewport of its own) is not taken"
                                               : "a use element is not followed: unlink the clone first"};
        }
        if (IsGroup(name)) {
            States.push_back(StateOf(States.back(), attributes, Sheet));
            return;
        }
        const SvgState state = StateOf(States.back(), attributes, Sheet);
        SvgOutline outline(state.Transform, Options.Tolerance);
        if (DrawShape(name, attributes, outline)) {
            AddMeshes(outline.TakeMeshes(), MeshPaint(state));
        }
        Xml.skipCurrentElement();
    }

    void AddMeshes(std::vector<Mesh> meshes, const SvgPaint& paint) {
        if (Object.Meshes.size() + meshes.size() > MostMeshes) {
            throw SvgShapeError{"more than " + std::to_string(MostMeshes) +
                                " meshes: an object holds at most 32767"};
        }
        for (Mesh& mesh : meshes) {
            mesh.Red = paint.Red;
            mesh.Green = paint.Green;
            mesh.Blue = paint.Blue;
            Object.Meshes.push_back(std::move(mesh));
        }
    }

    // `path "wing"`, or the name alone when the element has no id.
    std::string Described() const {
        const QStringView id = Xml.attributes().value("id");
        return Utf8(Xml.name()) + (id.isEmpty() ? "" : " \"" + Utf8(id) + "\"");
    }

    QXmlStreamReader Xml;
    SvgImportOptions Options;
    std::vector<SvgState> States;
    SvgStyleSheet Sheet;
    ObjectFile Object;
};
} // namespace

ObjectImport ObjectFromSvg(std::string_view document, const SvgImportOptions& options) {
    return SvgDocumentReader(document, options).Read();
}

} // namespace quillax
