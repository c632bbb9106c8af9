#pragma once

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

// The arguments as the program received them, its own name first.
EditorCommand ParseEditorCommandLine(const std::vector<std::string>& arguments);

} // namespace quillax
