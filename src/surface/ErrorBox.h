#pragma once

#include <cstdint>
#include <string>

namespace quillax {

// The texts of the surface's error box.
struct ErrorBoxText {
    std::string Prompt;
    std::string Title;
};

// Number 0 stands for an error without a number: the box then says so and shows no description.
ErrorBoxText MakeErrorBoxText(int32_t errNumber, const std::string& errDescription,
                              const std::string& errLocation);

} // namespace quillax
