#include "SampleObject.h"

#include <iostream>

// Writes the sample ship to the path given (Assets/PlayerTopb.lin in the repository).
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-sample-object OUT.lin\n";
        return 2;
    }
    try {
        WriteLinFile(argv[1], LinBytes(SampleShip()));
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
