#pragma once

#include "quillax/CliCommand.h"
#include "quillax/CommandLine.h"
#include "sceneexport/ExportFormat.h"
#include "view/MeshScene.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// The size of the drawing area when the editor's window opens at its designed size.
inline constexpr int16_t DefaultViewWidth = 578;
inline constexpr int16_t DefaultViewHeight = 520;

// The view that `render` and `svg` draw: the editor's state after "Load File" and these steps.
struct ViewOptions {
    std::string Input;
    std::string Output;
    ExportFormat Format = ExportFormat::Bmp;
    int16_t Width = DefaultViewWidth;
    int16_t Height = DefaultViewHeight;
    int32_t MeshIndex = 0;
    int32_t ZoomSteps = 0;
    int16_t GridSpacing = 5;
    bool ShowGrid = true;
    std::vector<int32_t> MarkedPoints;
    std::vector<int32_t> MarkedLines;
};

// The options of render and svg: --format, then the view.
std::vector<CliOption> ViewCliOptions(const std::vector<ExportFormat>& writable);

// The view a parsed command line asks for; the reason, for a usage error, when a value is out of its
// range or the output's format is not one the command writes.
struct ParsedView {
    std::optional<ViewOptions> Options;
    std::string Error;
};
ParsedView ReadViewOptions(const CommandLine& line, const std::vector<ExportFormat>& writable,
                           const std::string& command);

// What of the view the object lacks, with what it has: "mesh 9: the object has meshes 0 to 4",
// "point 8: mesh 2 has points 0 to 7"; empty when the object has everything.
std::string ViewMismatch(const ViewOptions& options, const ObjectFile& object);

// Loads the input and draws the view; nullptr after telling context.Err why (a missing or unreadable
// file, or a mesh, point or line the object lacks).
std::unique_ptr<MeshScene> DrawView(const ViewOptions& options, const CliContext& context,
                                    const char* command);

// Runs render or svg: the command line, the view, then the output in its format.
int RunViewCommand(const CliContext& context, const char* command, const char* about,
                   const std::vector<ExportFormat>& writable);

} // namespace quillax
