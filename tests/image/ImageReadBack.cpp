#include "ImageReadBack.h"

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <sstream>

namespace drossel::testing {
namespace {

std::string Quoted(const std::string& path) {
    std::string out = "'";
    for (char c : path) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// Where the installed Pillow lives: the distribution's python3 may not be the
// first one on PATH.
std::string PythonWithPillow() {
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        int status = 0;
        RunCommand(std::string(python) + " -c 'import PIL' 2>/dev/null", &status);
        if (status == 0) return python;
    }
    return {};
}

std::optional<Picture> FromRaw(const std::string& sizeText, const std::string& rgba) {
    std::istringstream in(sizeText);
    Picture p;
    if (!(in >> p.width >> p.height) || p.width <= 0 || p.height <= 0) return std::nullopt;
    if (rgba.size() != static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height) * 4) return std::nullopt;
    p.pixels.resize(rgba.size() / 4);
    for (std::size_t i = 0; i < p.pixels.size(); ++i) {
        p.pixels[i] = {static_cast<std::uint8_t>(rgba[4 * i]), static_cast<std::uint8_t>(rgba[4 * i + 1]),
                       static_cast<std::uint8_t>(rgba[4 * i + 2]), static_cast<std::uint8_t>(rgba[4 * i + 3])};
    }
    return p;
}

}  // namespace

std::string RunCommand(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (status != nullptr) *status = -1;
        return out;
    }
    std::array<char, 65536> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    const int result = ::pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return out;
}

std::optional<Picture> ReadWithImageMagick(const std::string& path) {
    int status = 0;
    const std::string size = RunCommand("identify -format '%w %h' " + Quoted(path) + " 2>/dev/null", &status);
    if (status != 0) return std::nullopt;
    const std::string rgba =
        RunCommand("convert " + Quoted(path) + " -auto-orient -depth 8 rgba:- 2>/dev/null", &status);
    if (status != 0) return std::nullopt;
    return FromRaw(size, rgba);
}

bool PillowAvailable() {
    return !PythonWithPillow().empty();
}

std::optional<Picture> ReadWithPillow(const std::string& path) {
    const std::string python = PythonWithPillow();
    if (python.empty()) return std::nullopt;
    const std::string script =
        "import sys\n"
        "from PIL import Image\n"
        "im = Image.open(sys.argv[1]).convert('RGBA')\n"
        "sys.stdout.write('%d %d\\n' % im.size)\n"
        "sys.stdout.flush()\n"
        "sys.stdout.buffer.write(im.tobytes())\n";
    int status = 0;
    const std::string out = RunCommand(python + " -c " + Quoted(script) + " " + Quoted(path) + " 2>/dev/null", &status);
    const auto newline = out.find('\n');
    if (status != 0 || newline == std::string::npos) return std::nullopt;
    return FromRaw(out.substr(0, newline), out.substr(newline + 1));
}

}  // namespace drossel::testing
