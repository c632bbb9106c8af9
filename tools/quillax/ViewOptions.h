#pragma once

#include "quillax/CliCommand.h"
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
    int16_t Width = DefaultViewWidth;
    int16_t Height = DefaultViewHeight;
    int32_t MeshIndex = 0;
    int32_t ZoomSteps = 0;
    int16_t GridSpacing = 5;
    bool ShowGrid = true;
    std::vector<int32_t> MarkedPoints;
    std::vector<int32_t> MarkedLines;
};

extern const char* const ViewOptionsHelp;

// The options after the subcommand's name; the reason when they do not make a view.
struct ParsedView {
    std::optional<ViewOptions> Options;
    std::string Error;
};
ParsedView ParseViewOptions(const std::vector<std::string>& arguments);

// Loads the input and draws the view; nullptr after telling context.Err why (a missing or unreadable
// file, or a mesh, point or line the object lacks).
std::unique_ptr<MeshScene> DrawView(const ViewOptions& options, const CliContext& context,
                                    const char* command);

// Runs a view command: help, option errors (status 2), then write(options, scene).
using ViewWriter = int (*)(const ViewOptions& options, MeshScene& scene, const CliContext& context);
int RunViewCommand(const CliContext& context, const char* command, const char* help, ViewWriter write);

} // namespace quillax
