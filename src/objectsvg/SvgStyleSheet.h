#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillax {

// The last declaration of a property in a list of them ("fill:none; stroke:#f00 !important"), its value
// without "!important"; none when the list has none.
std::optional<std::string> DeclaredValue(std::string_view declarations, std::string_view property);

// The class rules of a document's style elements, as editors write them (".st0{fill:none;stroke:#FF0000}",
// ".a, .b {...}"): what an element's class attribute gives it, over its presentation attributes and under
// its style attribute. Rules with any other selector are passed over.
class SvgStyleSheet {
public:
    void Add(std::string_view css);
    // The declarations of the rules that name any of these classes, in the rules' order, so that the
    // last one of a property wins as in CSS.
    std::string DeclarationsFor(std::string_view classes) const;

private:
    struct Rule {
        std::string Class;
        std::string Declarations;
    };
    std::vector<Rule> Rules;
};

} // namespace quillax
