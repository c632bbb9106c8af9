#pragma once

#include <string>

namespace quillax {

// A JSON string of exactly the text's bytes: UTF-8 as it is, and each byte that is not part of UTF-8
// as the lone surrogate escape \udcXX (the convention of Python's surrogateescape, so os.fsencode gives
// the bytes back).
std::string JsonString(const std::string& text);
// Text for a human reader, one line whatever it holds: control characters, bytes that are not UTF-8
// and the backslash itself become C escapes (\n, \t, \r, \\, \xHH).
std::string EscapedText(const std::string& text);

} // namespace quillax
