#include "fileio/OutputFile.h"
#include "objects/ObjectFileBytes.h"
#include "sampleobjects/LargeObject.h"
#include "sampleobjects/SampleObject.h"

#include <iostream>
#include <string>

namespace quillax {

namespace {
const char* const Usage = "usage: make-sample-object OUT.lin\n"
                          "       make-sample-object --points N --meshes M OUT.lin\n";
} // namespace

} // namespace quillax

using namespace quillax;

// Writes the sample ship to the path given (Assets/PlayerTopb.lin in the repository), or a large
// object of N points over M meshes for benchmarks.
int main(int argc, char** argv) {
    if (argc != 2 &&
        !(argc == 6 && std::string(argv[1]) == "--points" && std::string(argv[3]) == "--meshes")) {
        std::cerr << Usage;
        return 2;
    }
    try {
        const ObjectFile object =
            argc == 2 ? SampleShip() : LargeObject(std::stoi(argv[2]), std::stoi(argv[4]));
        const WriteOutcome outcome = WriteWholeFile(argv[argc - 1], ObjectFileBytes(object));
        if (!outcome.Ok()) {
            std::cerr << "cannot write " << argv[argc - 1] << ": " << outcome.Reason << '\n';
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
