#include "quillax/ViewOptions.h"

#include "platform/RuntimeError.h"
#include "quillax/CliConvert.h"
#include "quillax/CliMessageBox.h"
#include "quillax/CommandLine.h"
#include "quillax/ObjectLoading.h"
#include "quillax/OutputFormat.h"
#include "sceneexport/SceneExport.h"
#include "view/MeshScene.h"
#include "view/ViewNavigation.h"
#include "view/ViewZoom.h"

#include <charconv>
#include <limits>
#include <memory>
#include <optional>

namespace quillax {

namespace {
constexpr int32_t Unbounded = std::numeric_limits<int32_t>::max();
constexpr int32_t MostPixels = std::numeric_limits<int16_t>::max();

// A whole-number option and the values it takes.
struct NumberOption {
    const char* Name;
    int32_t Least;
    int32_t Most;
};
constexpr NumberOption MeshOption{"mesh", 0, Unbounded};
constexpr NumberOption ZoomOption{"zoom-steps", -10000, 10000};
constexpr NumberOption SpacingOption{"spacing", 1, MostPixels};
constexpr NumberOption PointOption{"mark-point", 0, Unbounded};
constexpr NumberOption LineOption{"mark-line", 0, Unbounded};

std::optional<int32_t> NumberIn(const std::string& text, int32_t least, int32_t most) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

std::string RangeText(int32_t least, int32_t most) {
    return most == Unbounded ? "of " + std::to_string(least) + " or more"
                             : "from " + std::to_string(least) + " to " + std::to_string(most);
}

// Each value of a number option, into values; the reason when one does not fit.
std::string ReadNumbers(const CommandLine& line, const NumberOption& option, std::vector<int32_t>& values) {
    for (const std::string& text : line.Values(option.Name)) {
        const std::optional<int32_t> value = NumberIn(text, option.Least, option.Most);
        if (!value) {
            return "--" + std::string(option.Name) + " " + text + ": not a whole number " +
                   RangeText(option.Least, option.Most);
        }
        values.push_back(*value);
    }
    return {};
}

// The last value of a number option into value, when given.
std::string ReadNumber(const CommandLine& line, const NumberOption& option, int32_t& value) {
    std::vector<int32_t> values;
    std::string error = ReadNumbers(line, option, values);
    if (error.empty() && !values.empty()) {
        value = values.back();
    }
    return error;
}

std::string ReadSize(const CommandLine& line, ViewOptions& options) {
    if (!line.IsSet("size")) {
        return {};
    }
    const std::string text = line.Value("size");
    const size_t x = text.find('x');
    const auto width = NumberIn(text.substr(0, x), 1, MostPixels);
    const auto height = x == std::string::npos ? std::nullopt : NumberIn(text.substr(x + 1), 1, MostPixels);
    if (!width || !height) {
        return "--size " + text + ": not WIDTHxHEIGHT, each from 1 to " + std::to_string(MostPixels);
    }
    options.Width = static_cast<int16_t>(*width);
    options.Height = static_cast<int16_t>(*height);
    return {};
}

// --fit, --zoom and --centre; the reason when one does not fit, or --fit comes with another.
std::string ReadPlace(const CommandLine& line, ViewOptions& options) {
    options.Fit = line.IsSet("fit");
    if (options.Fit && (line.IsSet("zoom") || line.IsSet("centre"))) {
        return "--fit chooses the zoom and the centre: give --zoom and --centre without it";
    }
    if (line.IsSet("zoom")) {
        const std::optional<double> zoom = RealIn(line.Value("zoom"));
        if (!zoom ||
            !(*zoom >= std::numeric_limits<float>::min() && *zoom <= std::numeric_limits<float>::max())) {
            return "--zoom " + line.Value("zoom") + ": not a zoom above 0, in pixels per model unit";
        }
        options.Zoom = static_cast<float>(*zoom);
    }
    if (line.IsSet("centre")) {
        options.Centre = PairIn(line.Value("centre"));
        if (!options.Centre) {
            return "--centre " + line.Value("centre") + ": not X,Y in model units";
        }
    }
    return {};
}

// --model leaves the view out, so no option of the view goes with it.
std::string ReadModel(const CommandLine& line, ViewOptions& options) {
    options.Model = line.IsSet("model");
    for (const char* name : {"size", "mesh", "zoom-steps", "spacing", "no-grid", "mark-point", "mark-line",
                             "fit", "zoom", "centre"}) {
        if (options.Model && line.IsSet(name)) {
            return "--model writes the object in model units, not a view: --" + std::string(name) +
                   " does not go with it";
        }
    }
    return {};
}

// The numbers of the view; the first reason one does not fit.
std::string ReadView(const CommandLine& line, ViewOptions& options) {
    int32_t spacing = options.GridSpacing;
    for (const std::string& error :
         {ReadSize(line, options), ReadNumber(line, MeshOption, options.MeshIndex),
          ReadNumber(line, ZoomOption, options.ZoomSteps), ReadNumber(line, SpacingOption, spacing),
          ReadNumbers(line, PointOption, options.MarkedPoints),
          ReadNumbers(line, LineOption, options.MarkedLines), ReadPlace(line, options)}) {
        if (!error.empty()) {
            return error;
        }
    }
    options.GridSpacing = static_cast<int16_t>(spacing);
    options.ShowGrid = !line.IsSet("no-grid");
    return {};
}

// "the object has meshes 0 to 4", "mesh 2 has only line 0".
std::string HasText(const std::string& owner, const char* one, const char* many, int32_t count) {
    if (count <= 0) {
        return owner + " has no " + many;
    }
    return count == 1 ? owner + " has only " + one + " 0"
                      : owner + " has " + many + " 0 to " + std::to_string(count - 1);
}

std::string MarksMismatch(const std::vector<int32_t>& marks, const char* one, const char* many, int32_t count,
                          const std::string& mesh) {
    for (const int32_t mark : marks) {
        if (mark >= count) {
            return std::string(one) + " " + std::to_string(mark) + ": " + HasText(mesh, one, many, count);
        }
    }
    return {};
}

// svg writes the object in model units too.
bool TakesModel(const std::vector<ExportFormat>& writable) {
    return writable == std::vector<ExportFormat>{ExportFormat::Svg};
}

// The options of render and svg: --format, then the view (svg: --model too).
std::vector<CliOption> ViewCliOptions(const std::vector<ExportFormat>& writable) {
    std::vector<CliOption> options = {
        FormatOption(writable),
        {{"size"}, "WxH", "drawing-area size in pixels, each 1 to 32767 (default 578x520)"},
        {{"mesh"}, "N", "choose mesh N: full colour, the others dimmed (default 0)"},
        {{"zoom-steps"}, "K", "K clicks of \"+\" (negative: of \"--\") from the zoom of 4,\n-10000 to 10000"},
        {{"spacing"}, "S", "grid spacing, 1 to 32767 (default 5)"},
        {{"no-grid"}, "", "a plain black background"},
        {{"mark-point"}, "I", "mark point I of the chosen mesh (repeatable)"},
        {{"mark-line"}, "I", "mark line I of the chosen mesh (repeatable)"},
        {{"fit"}, "", "fit the object into the area, as the editor's Home does"},
        {{"zoom"}, "Z", "the zoom: Z pixels per model unit (default 4)"},
        {{"centre"}, "X,Y", "the model point in the middle of the area, at the zoom"},
        WaitOption(),
    };
    if (TakesModel(writable)) {
        options.push_back(
            {{"model"}, "", "the object in model units, a polyline per mesh, instead of the view"});
    }
    return options;
}

// The view a parsed command line asks for; the reason, for a usage error, when a value is out of its
// range or the output's format is not one the command writes.
struct ParsedView {
    std::optional<ViewOptions> Options;
    std::string Error;
};
ParsedView ReadViewOptions(const CommandLine& line, const std::vector<ExportFormat>& writable,
                           const std::string& command) {
    ViewOptions options;
    options.Input = line.Operands()[0];
    options.Output = line.Operands()[1];
    std::string error = TakesModel(writable) ? ReadModel(line, options) : std::string();
    if (error.empty()) {
        error = ReadView(line, options);
    }
    if (!error.empty()) {
        return {std::nullopt, error};
    }
    const FormatChoice choice = ChooseFormat(line, options.Output, writable, command);
    if (!choice.Format) {
        return {std::nullopt, choice.Error};
    }
    options.Format = *choice.Format;
    const WaitChoice wait = ChooseWait(line);
    if (!wait.Error.empty()) {
        return {std::nullopt, wait.Error};
    }
    options.ReaderWait = wait.Wait;
    return {options, {}};
}

// What of the view the object lacks, with what it has: "mesh 9: the object has meshes 0 to 4",
// "point 8: mesh 2 has points 0 to 7"; empty when the object has everything.
std::string ViewMismatch(const ViewOptions& options, const ObjectFile& object) {
    const int32_t meshes = MeshCountOf(object);
    if (options.MeshIndex >= meshes) {
        return "mesh " + std::to_string(options.MeshIndex) + ": " +
               HasText("the object", "mesh", "meshes", meshes);
    }
    const int32_t points = PointsOf(object.Meshes[static_cast<size_t>(options.MeshIndex)]);
    const std::string mesh = "mesh " + std::to_string(options.MeshIndex);
    const std::string point = MarksMismatch(options.MarkedPoints, "point", "points", points, mesh);
    return point.empty() ? MarksMismatch(options.MarkedLines, "line", "lines", points - 1, mesh) : point;
}

void Place(MeshScene& scene, const ViewPlace& place) {
    scene.ViewScale = place.Scale;
    scene.ViewOffsetX = place.OffsetX;
    scene.ViewOffsetY = place.OffsetY;
}

// Where the view looks: the zoom, or the fit, then the steps of "+" or "--", then the centre.
void PlaceView(const ViewOptions& options, MeshScene& scene) {
    scene.ViewScale = options.Zoom.value_or(scene.ViewScale);
    if (const std::optional<ViewPlace> fitted =
            options.Fit ? FittedView(scene.Object(), scene.View(), HomeMargin) : std::nullopt) {
        Place(scene, *fitted);
    }
    for (int32_t step = 0; step < std::abs(options.ZoomSteps); ++step) {
        scene.ViewScale = options.ZoomSteps > 0 ? ZoomedIn(scene.ViewScale) : ZoomedOut(scene.ViewScale);
    }
    if (options.Centre) {
        Place(scene, CentredOn(scene.View(), options.Centre->X, options.Centre->Y));
    }
}

// Loads the input and draws the view; nullptr after telling context.Err why (a missing or unreadable
// file, or a mesh, point or line the object lacks).
std::unique_ptr<MeshScene> DrawView(const ViewOptions& options, const CliContext& context,
                                    const char* command) {
    ObjectFile object;
    ObjectPlacement placement;
    const LoadOutcome outcome = LoadForCli(options.Input, object, placement);
    const std::string mismatch = outcome.Loaded ? ViewMismatch(options, object) : outcome.Message;
    if (!mismatch.empty()) {
        ReportInputError(context, command, options.Input, mismatch);
        return nullptr;
    }
    try {
        auto scene = std::make_unique<MeshScene>(options.Width, options.Height);
        scene->GridSpacing = options.GridSpacing;
        scene->ShowGrid = options.ShowGrid;
        scene->Show(std::move(object), std::move(placement));
        scene->ChooseMesh(options.MeshIndex);
        PlaceView(options, *scene);
        for (const int32_t point : options.MarkedPoints) {
            scene->MarkPoint(point);
        }
        for (const int32_t line : options.MarkedLines) {
            scene->MarkLine(line);
        }
        scene->PlaceMarkers();
        return scene;
    } catch (const RuntimeError& error) {
        ReportInputError(context, command, options.Input, ErrorText(error));
    } catch (const std::bad_alloc&) {
        ReportInputError(context, command, options.Input, "out of memory");
    }
    return nullptr;
}
} // namespace

int RunViewCommand(const CliContext& context, const char* command, const char* about,
                   const std::vector<ExportFormat>& writable) {
    CommandLine line(command, {"FILE OUTPUT", 2, 2}, about, ViewCliOptions(writable));
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    const ParsedView parsed = ReadViewOptions(line, writable, command);
    if (!parsed.Options) {
        return line.UsageError(context, parsed.Error);
    }
    const ViewOptions& options = *parsed.Options;
    if (options.Model) {
        return ConvertObject(options.Input, options.Output, ObjectFormat::Lin, ObjectFormat::Svg, {},
                             options.ReaderWait, context, command);
    }
    const std::string limit = PictureLimitError(options.Format, options.Width, options.Height);
    if (!limit.empty()) {
        return ReportWrite({0, limit}, options.Output, command, context);
    }
    // An error the grid's surface reports has failed the command: nothing is written.
    const CliMessageBox boxes(context.Err, command);
    const std::unique_ptr<MeshScene> scene = DrawView(options, context, command);
    if (!scene) {
        return ExitStatus::Failed;
    }
    // Only a picture needs the background: an SVG document draws its grid from the layout.
    if (options.Format != ExportFormat::Svg) {
        scene->DrawBackground();
    }
    if (boxes.Shown() > 0) {
        return ExitStatus::Failed;
    }
    return ReportWrite(ExportScene(*scene, *OutputNamed(options.Output, options.ReaderWait, context, command),
                                   options.Format),
                       options.Output, command, context);
}

} // namespace quillax
