#include "quillax/ViewOptions.h"

#include "platform/RuntimeError.h"
#include "quillax/ObjectLoading.h"
#include "quillax/ObjectSummary.h"
#include "view/ViewZoom.h"

#include <charconv>
#include <limits>

namespace quillax {

const char* const ViewOptionsHelp =
    "View options (the editor's drawing area after \"Load File\"):\n"
    "  --size WxH        drawing-area size in pixels (default: 578x520, as the window opens)\n"
    "  --mesh N          choose mesh N (full colour; the others dimmed); default 0\n"
    "  --zoom-steps K    K clicks of \"+\" (negative: of \"--\") from the zoom of 4\n"
    "  --spacing S       grid spacing, 1 to 32767 (default 5)\n"
    "  --no-grid         a plain black background\n"
    "  --mark-point I    mark point I of the chosen mesh (repeatable)\n"
    "  --mark-line I     mark line I of the chosen mesh (repeatable)\n";

namespace {
template <typename T> std::optional<T> NumberIn(const std::string& text, T low, T high) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

bool ParseSize(const std::string& text, ViewOptions& options) {
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    const auto width = NumberIn<int16_t>(text.substr(0, x), 1, std::numeric_limits<int16_t>::max());
    const auto height = NumberIn<int16_t>(text.substr(x + 1), 1, std::numeric_limits<int16_t>::max());
    if (!width || !height) {
        return false;
    }
    options.Width = *width;
    options.Height = *height;
    return true;
}

int32_t LowestValue(const std::string& name) {
    return name == "--zoom-steps" ? -10000 : name == "--spacing" ? 1 : 0;
}

int32_t HighestValue(const std::string& name) {
    return name == "--zoom-steps" ? 10000
           : name == "--spacing"  ? std::numeric_limits<int16_t>::max()
                                  : std::numeric_limits<int32_t>::max();
}

// One option with its value; false when the value does not fit it.
bool ApplyOption(const std::string& name, const std::string& value, ViewOptions& options) {
    if (name == "--size") {
        return ParseSize(value, options);
    }
    const std::optional<int32_t> number = NumberIn<int32_t>(value, LowestValue(name), HighestValue(name));
    if (!number) {
        return false;
    }
    if (name == "--mesh") {
        options.MeshIndex = *number;
    } else if (name == "--zoom-steps") {
        options.ZoomSteps = *number;
    } else if (name == "--spacing") {
        options.GridSpacing = static_cast<int16_t>(*number);
    } else if (name == "--mark-point") {
        options.MarkedPoints.push_back(*number);
    } else {
        options.MarkedLines.push_back(*number);
    }
    return true;
}

bool TakesValue(const std::string& name) {
    return name == "--size" || name == "--mesh" || name == "--zoom-steps" || name == "--spacing" ||
           name == "--mark-point" || name == "--mark-line";
}
} // namespace

ParsedView ParseViewOptions(const std::vector<std::string>& arguments) {
    ViewOptions options;
    std::vector<std::string> files;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--no-grid") {
            options.ShowGrid = false;
        } else if (TakesValue(argument)) {
            if (i + 1 >= arguments.size()) {
                return {std::nullopt, argument + " needs a value"};
            }
            if (!ApplyOption(argument, arguments[++i], options)) {
                return {std::nullopt, "bad value for " + argument + ": " + arguments[i]};
            }
        } else if (argument.starts_with("-") && argument != "-") {
            return {std::nullopt, "unknown option " + argument};
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2) {
        return {std::nullopt, "expected an input and an output file"};
    }
    options.Input = files[0];
    options.Output = files[1];
    return {options, {}};
}

std::unique_ptr<MeshScene> DrawView(const ViewOptions& options, const CliContext& context,
                                    const char* command) {
    ObjectFile object;
    ObjectPlacement placement;
    const LoadOutcome outcome = LoadForCli(options.Input, object, placement);
    if (!outcome.Loaded) {
        context.Err << "quillax " << command << ": " << EscapedText(options.Input) << ": "
                    << EscapedText(outcome.Message) << "\n";
        return nullptr;
    }
    try {
        auto scene = std::make_unique<MeshScene>(options.Width, options.Height);
        scene->GridSpacing = options.GridSpacing;
        scene->ShowGrid = options.ShowGrid;
        scene->Show(std::move(object), std::move(placement));
        scene->ChooseMesh(options.MeshIndex);
        for (int32_t step = 0; step < std::abs(options.ZoomSteps); ++step) {
            scene->ViewScale =
                options.ZoomSteps > 0 ? ZoomedIn(scene->ViewScale) : ZoomedOut(scene->ViewScale);
        }
        for (const int32_t point : options.MarkedPoints) {
            scene->MarkPoint(point);
        }
        for (const int32_t line : options.MarkedLines) {
            scene->MarkLine(line);
        }
        scene->PlaceMarkers();
        return scene;
    } catch (const RuntimeError& error) {
        ReportFileError(context, command, options.Input, error);
    } catch (const std::bad_alloc&) {
        context.Err << "quillax " << command << ": " << EscapedText(options.Input) << ": out of memory\n";
    }
    return nullptr;
}

int RunViewCommand(const CliContext& context, const char* command, const char* help, ViewWriter write) {
    if (WantsHelp(context.Arguments)) {
        context.Out << help << ViewOptionsHelp;
        return ExitStatus::Ok;
    }
    const ParsedView parsed = ParseViewOptions(context.Arguments);
    if (!parsed.Options) {
        context.Err << "quillax " << command << ": " << EscapedText(parsed.Error) << "\n"
                    << help << ViewOptionsHelp;
        return ExitStatus::Usage;
    }
    const std::unique_ptr<MeshScene> scene = DrawView(*parsed.Options, context, command);
    return scene ? write(*parsed.Options, *scene, context) : ExitStatus::Failed;
}

} // namespace quillax
