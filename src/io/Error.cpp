#include "io/Error.h"

#include <exception>

namespace drossel {

void RethrowWithContext(const std::string& context) {
    try {
        throw;
    } catch (const std::exception& e) {
        throw DrosselError(context + ": " + e.what());
    }
}

}  // namespace drossel
