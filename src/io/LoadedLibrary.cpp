#include "io/LoadedLibrary.h"

#include <dlfcn.h>

namespace drossel {

LoadedLibrary::LoadedLibrary(const char* soname) : soname_(soname) {
    handle_ = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = ::dlerror();
        error_ = std::string("cannot load ") + soname + (why != nullptr ? std::string(": ") + why : "");
    }
}

void* LoadedLibrary::Address(const char* symbol) {
    if (handle_ == nullptr) return nullptr;
    void* address = ::dlsym(handle_, symbol);
    if (address == nullptr && error_.empty()) error_ = std::string(soname_) + " has no " + symbol;
    return address;
}

}  // namespace drossel
