#include "CliCommand.h"

#include <algorithm>

bool WantsHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}
