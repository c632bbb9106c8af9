#pragma once

#include <QApplication>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// What the editor's command line asks for: `quillax-editor [FILE.lin]`, with --help and --version.
struct EditorCommand {
    // The object to open, its name's bytes exactly as given.
    std::optional<std::string> File;
    // Set when the editor is not to start: the text to print and the exit status (2 for a usage
    // error, whose text goes to standard error).
    std::optional<int> ExitStatus;
    std::string Text;
};

// The arguments as the program received them, its own name first. Needs no application object, so
// that --help and --version answer without a display.
EditorCommand ParseEditorCommandLine(const std::vector<std::string>& arguments);

// The application on its display, Qt's own options (-platform, -style, ...) taken out of argv. Where
// Qt cannot open the display it would abort; this ends the program instead, with status 1 after one
// line on standard error saying why. What Qt says while it starts is shown only when it starts.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

} // namespace quillax
