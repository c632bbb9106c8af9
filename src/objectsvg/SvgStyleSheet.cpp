#include "objectsvg/SvgStyleSheet.h"

#include "objectsvg/SvgNumbers.h"

#include <algorithm>

namespace quillax {

namespace {
constexpr std::string_view Space = " \t\n\r\f";

// The text without its /* comments */.
std::string WithoutComments(std::string_view css) {
    std::string out;
    for (size_t at = 0; at < css.size();) {
        const size_t open = css.find("/*", at);
        out += css.substr(at, open == std::string_view::npos ? std::string_view::npos : open - at);
        const size_t close = open == std::string_view::npos ? open : css.find("*/", open + 2);
        at = close == std::string_view::npos ? css.size() : close + 2;
    }
    return out;
}

// Calls each with every word of a list split at any of the separators, trimmed, empty ones left out.
template <typename Each> void ForEachPart(std::string_view list, std::string_view separators, Each each) {
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find_first_of(separators, start), list.size());
        if (const std::string_view part = Trimmed(list.substr(start, end - start)); !part.empty()) {
            each(part);
        }
        start = end + 1;
    }
}
} // namespace

std::optional<std::string> DeclaredValue(std::string_view declarations, std::string_view property) {
    std::optional<std::string> found;
    ForEachPart(declarations, ";", [&](std::string_view declaration) {
        const size_t colon = declaration.find(':');
        if (colon != std::string_view::npos && Trimmed(declaration.substr(0, colon)) == property) {
            const std::string_view value = declaration.substr(colon + 1);
            found = std::string(Trimmed(value.substr(0, value.find("!important"))));
        }
    });
    return found;
}

void SvgStyleSheet::Add(std::string_view css) {
    const std::string text = WithoutComments(css);
    ForEachPart(text, "}", [&](std::string_view rule) {
        const size_t open = rule.find('{');
        if (open == std::string_view::npos) {
            return;
        }
        const std::string declarations(rule.substr(open + 1));
        ForEachPart(rule.substr(0, open), ",", [&](std::string_view selector) {
            const bool plainClass = selector.size() > 1 && selector[0] == '.' &&
                                    selector.find_first_of(" \t\n.#:[>+~*") == 0 &&
                                    selector.find_first_of(" \t\n.#:[>+~*", 1) == std::string_view::npos;
            if (plainClass) {
                Rules.push_back({std::string(selector.substr(1)), declarations});
            }
        });
    });
}

std::string SvgStyleSheet::DeclarationsFor(std::string_view classes) const {
    std::string declarations;
    for (const Rule& rule : Rules) {
        bool named = false;
        ForEachPart(classes, Space, [&](std::string_view name) { named = named || name == rule.Class; });
        if (named) {
            declarations += rule.Declarations + ";";
        }
    }
    return declarations;
}

} // namespace quillax
