#pragma once
// Writing output files whole or not at all: the bytes go to a temporary file
// beside the target, which is then renamed over it. A failure leaves neither a
// partial file nor a damaged older file of the same name. Files that collect
// output (appended to) get all of an addition or none of it.

#include <cstdint>
#include <span>
#include <string>

namespace drossel {

// A file written in pieces, then put in place whole by Commit(). Until then the
// bytes go to a temporary file with a short name in the target's folder (so a
// target name as long as a file name may be still works); one that is never
// committed is removed.
class OutputFile {
public:
    // Throws DrosselError naming the path and the reason when it cannot be made.
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes);
    void Commit();
    // Puts the file in place under another name in the same folder.
    void Commit(std::string path);

private:
    [[noreturn]] void Fail();
    std::string path_;
    std::string temp_;
    int fd_ = -1;
};

// Throws DrosselError naming the path and the reason when the file cannot be written.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
// Adds the bytes to the end of the file (made when missing) in one write; when
// they cannot all be written the file is cut back to the length it had. Only a
// regular file is added to: a symbolic link is not followed, but refused.
void AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace drossel
