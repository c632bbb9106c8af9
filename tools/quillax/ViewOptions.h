#pragma once

#include "quillax/CliCommand.h"
#include "quillax/OptionNumbers.h"
#include "sceneexport/ExportFormat.h"

#include <chrono>
#include <cstdint>
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
    // Where the view looks, before the zoom steps: as Home fits it, or at a zoom and, after the steps,
    // on a model point.
    bool Fit = false;
    std::optional<float> Zoom;
    std::optional<RealPair> Centre;
    // svg only: the object in model units instead of the view.
    bool Model = false;
    std::chrono::milliseconds ReaderWait{};
};

// Runs render or svg: the command line, the view, then the output in its format.
int RunViewCommand(const CliContext& context, const char* command, const char* about,
                   const std::vector<ExportFormat>& writable);

} // namespace quillax
