// make-demo-level: writes the demo level pair the README uses, a small level
// with a resource of every kind the tree knows, built from scratch.
//
//   make-demo-level OUTPUT_WITHOUT_EXTENSION      (writes OUTPUT.dat and OUTPUT.raw)

#include "DemoLevel.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-demo-level OUTPUT_WITHOUT_EXTENSION\n";
        return 2;
    }
    try {
        const std::string dat = drossel::demo::BuildDemoLevel().Write(argv[1]);
        std::cout << dat << '\n';
    } catch (const std::exception& e) {
        std::cerr << "make-demo-level: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
