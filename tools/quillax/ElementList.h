#pragma once

#include <ostream>

namespace quillax {

// What info and check print on standard output, an element per file. As JSON, one array: "[", then
// "\n" before the first element and ",\n" before each other, "\n]\n" at the end, so that a file that
// fails leaves no stray comma. Otherwise a blank line between the elements.
class ElementList {
public:
    ElementList(std::ostream& out, bool json);

    // The stream, once what goes before the next element is written.
    std::ostream& Next();
    void End();

private:
    std::ostream& Out;
    bool Json;
    bool First = true;
};

} // namespace quillax
