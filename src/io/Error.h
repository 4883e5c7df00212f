#pragma once
// Failures of the core travel as exceptions of one type until they reach the
// command shell (app/CommandShell.h), which reports them once. The loader returns
// a Result instead, since a refused file is an ordinary answer, not a fault.

#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace drossel {

class DrosselError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prefixes the message of a failure with what was being done when it happened.
[[noreturn]] void RethrowWithContext(const std::string& context);

// A value, or the reason there is none.
template <typename T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}  // NOLINT: a value converts to its result
    static Result Failure(std::string reason) { return Result(Reason{std::move(reason)}); }

    explicit operator bool() const { return std::holds_alternative<T>(state_); }
    T& value() { return std::get<T>(state_); }
    const std::string& error() const { return std::get<Reason>(state_).text; }

private:
    struct Reason {
        std::string text;
    };
    explicit Result(Reason reason) : state_(std::move(reason)) {}
    std::variant<T, Reason> state_;
};

}  // namespace drossel
