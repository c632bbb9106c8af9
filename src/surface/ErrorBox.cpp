#include "surface/ErrorBox.h"

namespace quillax {

namespace {
constexpr const char* CrLf = "\r\n";
}

ErrorBoxText MakeErrorBoxText(int32_t errNumber, const std::string& errDescription,
                              const std::string& errLocation) {
    const std::string location = std::string("Location: ") + errLocation + CrLf + CrLf;
    if (errNumber == 0) {
        return {std::string("An Unknown error has occurred!") + CrLf + location +
                    "No description is available",
                "Error!"};
    }
    const std::string number = "Error: " + std::to_string(errNumber);
    return {number + CrLf + location + errDescription, number};
}

} // namespace quillax
