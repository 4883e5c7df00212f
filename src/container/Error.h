#pragma once
// Failures of the core travel as exceptions of one type; the command boundary
// (RunCommand) turns them into a message for the person in front of the program.

#include <stdexcept>
#include <string>

namespace drossel {

class DrosselError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prefixes the message of a failure with what was being done when it happened.
[[noreturn]] void RethrowWithContext(const std::string& context);

}  // namespace drossel
