#pragma once
// The one shell every unpack and conversion runs in, alone ("Unpack", "Unpack
// and Convert", drossel-cli unpack and convert) or as a step of a batch: the
// status text, the placeholder check, the save dialog when no path is given,
// encoding pictures, writing every file whole, FileWritten, and the boundary
// that turns a failure into one message. During a batch the caller hands in a
// BatchReporting interface, which turns that message into a status text.

#include "convert/Conversion.h"
#include "convert/Options.h"
#include "io/OutputFile.h"
#include "level/Level.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace drossel {

class UserInterface;
struct Kind;
struct Session;

inline constexpr const char* kWrongImageNameTitle = "Error!";
inline constexpr const char* kWrongImageNameText = "The Filename is wrong!\r\nThe file has to end with .bmp or .tga !";

// What one command (a single conversion, or a whole batch run) may write: files
// directly in the folders it was given, each at most once. A path the run has
// already written gets a distinct name ("name (2).ext") instead of replacing
// that file, and the person is told. A file that collects output is claimed
// the first time it is added to; later additions go to the same file, and no
// other output replaces it.
class OutputClaims {
public:
    explicit OutputClaims(std::string folder) { Allow(std::move(folder)); }

    void Allow(std::string folder) { folders_.push_back(std::move(folder)); }
    // The path to write for `wanted`. Throws DrosselError when it names no file
    // directly in one of the folders.
    std::string Claim(const std::string& wanted, UserInterface& ui) const;
    // The path to add to for the collecting file `wanted`.
    std::string ClaimCollecting(const std::string& wanted, UserInterface& ui);
    void Wrote(const std::string& path) { written_.insert(path); }

private:
    std::vector<std::string> folders_;
    std::unordered_set<std::string> written_;
    std::unordered_map<std::string, std::string> collecting_;  // wanted -> claimed path
};

// One resource's unpacking or conversion done ahead of its turn in a batch, on
// any thread and without a word to the person: what the routine read or made
// (pictures already encoded, and the files of a conversion already written to
// temporary files beside their targets), the progress it reported, or why it
// failed. Handed to UnpackResource or ConvertResource at its turn, it is shown
// and written exactly as work done then would have been: a file written ahead
// is only put in place then, under the name the turn gives it.
struct PreparedWork {
    struct Report {
        enum class Kind { Status, Steps, Step } kind;
        std::string text;
        int value = 0;
    };
    struct Piece {
        std::optional<std::vector<std::uint8_t>> bytes;  // an encoded picture
        std::string failure;                             // why it could not be encoded
        std::unique_ptr<OutputFile> file;                // its bytes, written ahead; else written at its turn
    };
    std::vector<Report> progress;
    std::optional<std::string> failure;  // why the routine failed
    Conversion conversion;
    std::vector<Piece> pieces;        // one per piece of `conversion`
    std::vector<std::uint8_t> bytes;  // an unpacked record, with its bulk data when that is small
    RawLocation rest;                 // bulk data still to copy when its turn comes
};

// The work of UnpackResource or ConvertResource for a batch path, done ahead.
PreparedWork PrepareUnpack(const Level& level, std::int32_t index, const Kind* routine = nullptr);
PreparedWork PrepareConversion(const Level& level, std::int32_t index, const Options& options, const std::string& path,
                               const std::string& outputFolder);

// Unpacks resource `index`: its record, and for kinds with bulk data the bytes
// the record points at in the .raw file. An empty path asks with the save
// dialog. `routine` is the kind whose way of unpacking is used: the resource's
// own, unless "Export Folder" unpacks a group by the group's. True when a file
// was written.
bool UnpackResource(const Level& level, std::int32_t index, UserInterface& ui, const std::string& path,
                    OutputClaims* run = nullptr, const Kind* routine = nullptr, PreparedWork* prepared = nullptr);

// Converts resource `index` of the session's level with the converter of its
// kind (a kind without one does nothing), with the session's options; files
// that collect output go to its output folder. An empty path asks with the save
// dialog after the resource has been read, so nothing is asked for what cannot
// be converted. True when every file of the conversion was written.
bool ConvertResource(const Session& session, std::int32_t index, UserInterface& ui, const std::string& path,
                     OutputClaims* run = nullptr, PreparedWork* prepared = nullptr);

}  // namespace drossel
