#pragma once
// Runs a program of ours as a shell would, for tests of the command-line front end.

#include <string>
#include <vector>

namespace drossel::testing {

struct ProgramResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs `program` with `arguments`, no standard input, and collects both outputs.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace drossel::testing
