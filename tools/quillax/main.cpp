#include "quillax/CliMain.h"

#include <iostream>
#include <new>

using namespace quillax;

int main(int argc, char** argv) {
    try {
        return RunQuillax(CliContext{std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr});
    } catch (const std::bad_alloc&) {
        // Caught, so every output file being written is discarded on the way out.
        std::cerr << "quillax: out of memory\n";
        return ExitStatus::Failed;
    }
}
