#include "RunProgram.h"

#include "LevelBuilder.h"

#include <sys/wait.h>
#include <cstdlib>

namespace drossel::testing {
namespace {

std::string Quoted(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
    TempDir dir;
    std::string command = Quoted(program);
    for (const auto& a : arguments) command += " " + Quoted(a);
    command += " </dev/null >" + Quoted(dir / "out") + " 2>" + Quoted(dir / "err");
    const int status = std::system(command.c_str());
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto out = ReadFileBytes(dir / "out");
    const auto err = ReadFileBytes(dir / "err");
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

}  // namespace drossel::testing
