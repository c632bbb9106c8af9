#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quillax {

// The text without the white space around it.
std::string_view Trimmed(std::string_view text);

// Reads the numbers of SVG's path data, point lists and transforms: white space and at most one comma
// between them, or nothing where the next number's sign or dot ends the last one ("10-5", "1.5.5").
class SvgNumbers {
public:
    explicit SvgNumbers(std::string_view text) : Text(text) {}

    // The next number; none, with the place left as it was, when none comes next.
    std::optional<double> Number();
    // An arc's flag: "0" or "1", which needs no separator after it.
    std::optional<bool> Flag();
    // The letters that come next: a transform's name.
    std::string_view Word();
    // Skips white space and one comma.
    void SkipSeparators();
    void SkipSpace();
    bool AtEnd();
    // The next character after white space, '\0' at the end.
    char Peek();
    void Advance() { ++At; }
    size_t Offset() const { return At; }

private:
    size_t Digits();

    std::string_view Text;
    size_t At = 0;
};

} // namespace quillax
