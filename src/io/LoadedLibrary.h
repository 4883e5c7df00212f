#pragma once
// A shared library loaded by name when a command first needs it, so that every
// other command starts without it and the libraries it brings along, and the
// functions taken from it. Meant to live as long as the program: the library
// stays loaded.

#include "io/Error.h"

#include <string>
#include <utility>

namespace drossel {

class LoadedLibrary {
public:
    // Loads `soname` ("libpng16.so.16", ...); error() says why when it cannot.
    explicit LoadedLibrary(const char* soname);

    // Sets `function` to the library's `symbol`; a missing one makes error().
    template <typename Function>
    void Find(Function*& function, const char* symbol) {
        function = reinterpret_cast<Function*>(Address(symbol));
    }
    // Empty when the library is loaded and every function asked for was found.
    const std::string& error() const { return error_; }

private:
    void* Address(const char* symbol);

    const char* soname_;
    void* handle_ = nullptr;
    std::string error_;
};

// The functions `find` takes from the library `soname`, which is loaded on the
// first call; every call throws DrosselError when it cannot be loaded or lacks one.
// They are kept per Functions type: one struct of functions for each library.
template <typename Functions>
const Functions& LoadFunctions(const char* soname, void (*find)(LoadedLibrary&, Functions&)) {
    static const auto loaded = [&] {
        std::pair<Functions, std::string> functions{};
        LoadedLibrary library(soname);
        find(library, functions.first);
        functions.second = library.error();
        return functions;
    }();
    if (!loaded.second.empty()) throw DrosselError(loaded.second);
    return loaded.first;
}

}  // namespace drossel
