#pragma once

#include <string>

namespace quillax {

// The whole of an input named on the command line ("-" for standard input), or why not.
struct InputText {
    bool Read = false;
    std::string Bytes;
    std::string Error;
};
InputText ReadInputText(const std::string& name);

} // namespace quillax
