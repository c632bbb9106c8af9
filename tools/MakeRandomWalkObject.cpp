#include "randomwalk/RandomWalkObject.h"

#include <iostream>
#include <string>
#include <string_view>

namespace quillax {

namespace {
const char* const Usage = "usage: make-random-walk-object OUT.lin --meshes COUNTxPOINTS[,COUNTxPOINTS...]\n"
                          "                               [--seed N] [--step UNITS] [--spread UNITS]\n"
                          "example: make-random-walk-object big.lin --seed 1 --meshes 30x32767,1x16990\n";

// The options and the output file from the command line; false on any mistake.
bool ParseArguments(int argc, char** argv, RandomWalkOptions& options, std::string& output) {
    bool meshesGiven = false;
    for (int k = 1; k < argc; ++k) {
        const std::string_view argument = argv[k];
        const bool hasValue = k + 1 < argc;
        if (argument == "--meshes" && hasValue) {
            const auto sizes = ParseMeshSizes(argv[++k]);
            meshesGiven = sizes.has_value();
            options.MeshSizes = sizes.value_or(std::vector<int16_t>{});
        } else if (argument == "--seed" && hasValue) {
            if (!ParseNumber(argv[++k], options.Seed)) {
                return false;
            }
        } else if ((argument == "--step" || argument == "--spread") && hasValue) {
            if (!ParseNumber(argv[++k], argument == "--step" ? options.Step : options.Spread)) {
                return false;
            }
        } else if (output.empty() && !argument.starts_with("--")) {
            output = argument;
        } else {
            return false;
        }
    }
    return meshesGiven && !output.empty();
}
} // namespace

} // namespace quillax

using namespace quillax;

// Writes a seeded random-walk object, for reproducing the figures of the large-object benchmarks.
int main(int argc, char** argv) {
    RandomWalkOptions options;
    std::string output;
    if (!ParseArguments(argc, argv, options, output)) {
        std::cerr << Usage;
        return 2;
    }
    try {
        WriteRandomWalkFile(output, RandomWalkObject(options));
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
