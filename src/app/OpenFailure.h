#pragma once

#include <exception>
#include <string>

namespace quillax {

// Why a file opened beyond the design (an argument, Open, a drop) could not be, in words: the reason the
// loader gave (`error`, none when it only found no object file there), where the file ends or which
// field is out of range, and that nothing was changed.
std::string OpenFailureText(const std::string& path, std::exception_ptr error);

} // namespace quillax
