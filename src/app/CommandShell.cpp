#include "app/CommandShell.h"

#include "app/OutputNames.h"
#include "app/Session.h"
#include "app/UserInterface.h"
#include "image/ImageFile.h"
#include "io/Error.h"
#include "io/OutputFile.h"
#include "io/PathText.h"
#include "kinds/KindTable.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <variant>

namespace drossel {
namespace {

// Runs one routine's work. A failure (a DrosselError, or any other exception of
// the standard library, such as memory running out) ends the work and becomes
// one critical message naming what was being done and why. False when it failed.
bool RunReported(UserInterface& ui, const std::string& what, const std::function<void()>& work) {
    std::string reason;
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
    }
    ui.ShowMessage(what + ": " + reason, kProgramTitle, MessageIcon::Critical);
    return false;
}

// A converter's progress, shown in the status bar and the progress bar. Events
// are not processed here: a command must not be started while one runs.
class ShownProgress : public Progress {
public:
    explicit ShownProgress(UserInterface& ui) : ui_(ui) {}
    void Status(const std::string& text) override { ui_.SetStatusText(text); }
    void Steps(int maximum) override { ui_.SetProgressMaximum(maximum); }
    void Step(int value) override { ui_.SetProgressValue(value); }

private:
    UserInterface& ui_;
};

// A converter's progress, kept to be shown when its work's turn comes.
class RecordingProgress : public Progress {
public:
    explicit RecordingProgress(std::vector<PreparedWork::Report>& reports) : reports_(reports) {}
    void Status(const std::string& text) override { reports_.push_back({Kind::Status, text}); }
    void Steps(int maximum) override { reports_.push_back({Kind::Steps, {}, maximum}); }
    void Step(int value) override { reports_.push_back({Kind::Step, {}, value}); }

private:
    using Kind = PreparedWork::Report::Kind;
    std::vector<PreparedWork::Report>& reports_;
};

void Replay(const std::vector<PreparedWork::Report>& reports, Progress& progress) {
    for (const PreparedWork::Report& r : reports) {
        switch (r.kind) {
            case PreparedWork::Report::Kind::Status:
                progress.Status(r.text);
                break;
            case PreparedWork::Report::Kind::Steps:
                progress.Steps(r.value);
                break;
            case PreparedWork::Report::Kind::Step:
                progress.Step(r.value);
                break;
        }
    }
}

// Runs work ahead of its turn; a failure is kept, to be reported at the turn.
void Prepare(PreparedWork& prepared, const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        prepared.failure = e.what();
    }
}

// At its turn, work done ahead fails as it did then.
void RethrowFailure(const PreparedWork& prepared) {
    if (prepared.failure) throw DrosselError(*prepared.failure);
}

void RefusePlaceholder(const ResourceRecord& resource) {
    if (resource.IsPlaceholder()) throw DrosselError(PlaceholderReason());
}

// The path the person chose, or the given one; empty when the dialog was cancelled.
std::string TargetPath(const std::string& given, UserInterface& ui, const FileDialogRequest& dialog) {
    return given.empty() ? ui.AskSavePath(dialog) : given;
}

void Write(const std::string& path, std::span<const std::uint8_t> bytes, UserInterface& ui, OutputClaims& claims) {
    WriteFileAtomically(path, bytes);
    ui.FileWritten(path);
    claims.Wrote(path);
}

// A file written ahead of its turn, put in place under the name its turn gives it.
void PutInPlace(OutputFile& file, const std::string& path, UserInterface& ui, OutputClaims& claims) {
    file.Commit(path);
    ui.FileWritten(path);
    claims.Wrote(path);
}

// The bytes written to a temporary file beside `target`, for a batch's turn to
// put in place; nothing when they cannot be: the turn writes them and says why.
std::unique_ptr<OutputFile> WrittenAhead(const std::string& target, std::span<const std::uint8_t> bytes) {
    try {
        auto file = std::make_unique<OutputFile>(target);
        file->Write(bytes);
        return file;
    } catch (const std::exception&) {
        return nullptr;
    }
}

// The files one conversion wrote, for the status text that ends it.
struct WrittenFiles {
    std::vector<std::string> paths;

    std::string Text() const {
        if (paths.empty()) return "nothing written";
        const std::string first = FileNameOf(paths.front());
        if (paths.size() == 1) return first + " written";
        return first + " and " + std::to_string(paths.size() - 1) + " more files written";
    }
};

std::string PathOf(const OutputPiece& piece, const std::string& chosen, const std::string& outputFolder) {
    switch (piece.place) {
        case OutputPiece::Place::Chosen:
            return chosen;
        case OutputPiece::Place::ChosenStem:
            return StripExtension(chosen) + piece.name;
        case OutputPiece::Place::BesideChosen:
            return FolderOf(chosen) + piece.name;
        case OutputPiece::Place::OutputFolder:
            // No batch folder chosen yet: the folder of the chosen file stands for it.
            return (outputFolder.empty() ? FolderOf(chosen) : outputFolder) + piece.name;
    }
    return chosen;
}

// Bulk data this small is read ahead with its record; longer data is copied a
// block at a time when its turn comes.
constexpr std::int64_t kRawReadAhead = std::int64_t{1} << 20;

// What unpacking writes first: the resource's record (for the kinds with bulk
// data, the leading record, with `raw` set to where its data lies), or its
// whole data.
std::vector<std::uint8_t> UnpackedRecord(const Level& level, const ResourceRecord& resource, const Kind& kind,
                                         RawLocation& raw) {
    if (kind.unpacksRaw) return level.ReadRecordOfRaw(resource, *kind.raw, raw);
    if (resource.size < 0) throw DrosselError("its size is negative (" + std::to_string(resource.size) + ")");
    return level.ReadData(resource, resource.size);
}

// Writes every piece (pictures encoded ahead in `ready`, when given); false
// (after the message) when a picture's file name has an extension that names
// no picture format.
bool WriteConversion(Conversion& conversion, const std::string& chosen, const std::string& outputFolder,
                     UserInterface& ui, OutputClaims& claims, WrittenFiles& written,
                     std::vector<PreparedWork::Piece>* ready) {
    for (std::size_t i = 0; i < conversion.pieces.size(); ++i) {
        OutputPiece& piece = conversion.pieces[i];
        const std::string wanted = PathOf(piece, chosen, outputFolder);
        if (piece.append) {
            claims.Allow(FolderOf(wanted));
            const std::string path = claims.ClaimCollecting(wanted, ui);
            AppendToFile(path, std::get<std::vector<std::uint8_t>>(piece.content));
            ui.FileWritten(path);
            written.paths.push_back(path);
            continue;
        }
        const std::string path = claims.Claim(wanted, ui);
        PreparedWork::Piece* ahead = ready != nullptr && i < ready->size() ? &(*ready)[i] : nullptr;
        const auto* image = std::get_if<ImageOutput>(&piece.content);
        if (image == nullptr) {
            if (ahead != nullptr && ahead->file)
                PutInPlace(*ahead->file, path, ui, claims);
            else
                Write(path, std::get<std::vector<std::uint8_t>>(piece.content), ui, claims);
            written.paths.push_back(path);
            continue;
        }
        const ImageContainer container = ContainerOfPath(path);
        if (container == ImageContainer::None) {
            ui.ShowMessage(kWrongImageNameText, kWrongImageNameTitle, MessageIcon::Critical);
            return false;
        }
        try {
            if (ahead != nullptr && !ahead->failure.empty()) throw DrosselError(ahead->failure);
            if (ahead != nullptr && ahead->file) {
                PutInPlace(*ahead->file, path, ui, claims);
            } else if (ahead != nullptr && ahead->bytes) {
                Write(path, *ahead->bytes, ui, claims);
            } else {
                const PixelBuffer drawn = image->draw ? image->draw() : PixelBuffer{};
                const PixelBuffer& pixels = image->draw ? drawn : image->pixels;
                Write(path, EncodeImage(container, pixels, image->bits), ui, claims);
            }
            written.paths.push_back(path);
        } catch (const std::exception& e) {
            if (piece.part.empty()) throw;
            conversion.NoteMissing(piece.part, e.what());
        }
    }
    return true;
}

}  // namespace

std::string OutputClaims::Claim(const std::string& wanted, UserInterface& ui) const {
    if (std::none_of(folders_.begin(), folders_.end(),
                     [&](const std::string& folder) { return IsFileInFolder(wanted, folder); })) {
        const std::string& folder = folders_.front();
        throw DrosselError("the output name " + wanted + " names no file in " +
                           (folder.empty() ? std::string("the current folder") : folder));
    }
    if (!written_.contains(wanted)) return wanted;
    const std::string stem = StripExtension(wanted);
    const std::string extension = wanted.substr(stem.size());
    for (int n = 2;; ++n) {
        std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
        if (!written_.contains(candidate)) {
            ui.Warn("Status: " + FileNameOf(wanted) + " was already written in this run: writing " +
                    FileNameOf(candidate) + " instead");
            return candidate;
        }
    }
}

std::string OutputClaims::ClaimCollecting(const std::string& wanted, UserInterface& ui) {
    if (const auto known = collecting_.find(wanted); known != collecting_.end()) return known->second;
    const std::string path = Claim(wanted, ui);
    collecting_.emplace(wanted, path);
    written_.insert(path);
    return path;
}

PreparedWork PrepareUnpack(const Level& level, std::int32_t index, const Kind* routine) {
    PreparedWork prepared;
    Prepare(prepared, [&] {
        const ResourceRecord& resource = level.at(index);
        RefusePlaceholder(resource);
        RawLocation& raw = prepared.rest;
        prepared.bytes = UnpackedRecord(level, resource, routine != nullptr ? *routine : KindOf(resource.tag), raw);
        if (raw.length > 0 && raw.length <= kRawReadAhead) {
            const std::size_t at = prepared.bytes.size();
            prepared.bytes.resize(at + static_cast<std::size_t>(raw.length));
            level.ReadRaw(raw.offset, std::span(prepared.bytes).subspan(at));
            raw = {};
        }
    });
    return prepared;
}

PreparedWork PrepareConversion(const Level& level, std::int32_t index, const Options& options, const std::string& path,
                               const std::string& outputFolder) {
    PreparedWork prepared;
    RecordingProgress progress(prepared.progress);
    Prepare(prepared, [&] {
        const ResourceRecord& resource = level.at(index);
        const Kind& kind = KindOf(resource.tag);
        if (kind.convert == nullptr) return;
        RefusePlaceholder(resource);
        prepared.conversion = kind.convert(level, resource, options, progress);
        prepared.pieces.resize(prepared.conversion.pieces.size());
        for (std::size_t i = 0; i < prepared.pieces.size(); ++i) {
            OutputPiece& piece = prepared.conversion.pieces[i];
            PreparedWork::Piece& ahead = prepared.pieces[i];
            // Files that collect output are added to at their turn, in table order.
            if (piece.append) continue;
            const std::string target = PathOf(piece, path, outputFolder);
            const bool inFolder = IsFileInFolder(target, FolderOf(path)) ||
                                  (!outputFolder.empty() && IsFileInFolder(target, outputFolder));
            auto* image = std::get_if<ImageOutput>(&piece.content);
            if (image == nullptr) {
                auto& bytes = std::get<std::vector<std::uint8_t>>(piece.content);
                if (inFolder && (ahead.file = WrittenAhead(target, bytes))) bytes = {};
                continue;
            }
            // Pictures drawn when written stay so: a batch holds them one at a time.
            if (image->draw) continue;
            const ImageContainer container = ContainerOfPath(target);
            if (container == ImageContainer::None) continue;
            try {
                ahead.bytes = EncodeImage(container, image->pixels, image->bits);
            } catch (const std::exception& e) {
                ahead.failure = e.what();
            }
            image->pixels = {};
            if (ahead.bytes && inFolder && (ahead.file = WrittenAhead(target, *ahead.bytes))) ahead.bytes.reset();
        }
    });
    return prepared;
}

bool UnpackResource(const Level& level, std::int32_t index, UserInterface& ui, const std::string& path,
                    OutputClaims* run, const Kind* routine, PreparedWork* prepared) {
    const ResourceRecord& resource = level.at(index);
    const Kind& kind = routine != nullptr ? *routine : KindOf(resource.tag);
    ui.SetStatusText("Status: UnPacking " + std::string(resource.name));
    bool wrote = false;
    const bool ok = RunReported(ui, "Cannot unpack " + std::string(resource.name), [&] {
        RefusePlaceholder(resource);
        std::vector<std::uint8_t> bytes;
        RawLocation raw;
        if (prepared != nullptr) {
            RethrowFailure(*prepared);
            bytes = std::move(prepared->bytes);
            raw = prepared->rest;
        } else {
            bytes = UnpackedRecord(level, resource, kind, raw);
        }
        const std::string chosen =
            TargetPath(path, ui, {"Unpack resource...", UnpackDialogName(resource), "All Files...|*.*"});
        if (chosen.empty()) return;
        OutputClaims single(FolderOf(chosen));
        OutputClaims& claims = run != nullptr ? *run : single;
        const std::string target = claims.Claim(chosen, ui);
        // The record, then the bulk data copied a block at a time, never whole.
        OutputFile file(target);
        file.Write(bytes);
        if (raw.length > 0) level.CopyRaw(raw.offset, raw.length, [&](auto block) { file.Write(block); });
        file.Commit();
        ui.FileWritten(target);
        claims.Wrote(target);
        wrote = true;
    });
    if (!ok) ui.SetStatusText("NONE");
    return wrote;
}

bool ConvertResource(const Session& session, std::int32_t index, UserInterface& ui, const std::string& path,
                     OutputClaims* run, PreparedWork* prepared) {
    const Level& level = *session.level;
    const ResourceRecord& resource = level.at(index);
    const Kind& kind = KindOf(resource.tag);
    if (kind.convert == nullptr) return false;
    if (!kind.convertStatus.empty()) ui.SetStatusText(std::string(kind.convertStatus) + std::string(resource.name));
    const std::string noun = kind.noun.empty() ? std::string() : std::string(kind.noun) + " ";
    bool wrote = false;
    bool refused = false;
    const bool ran = RunReported(ui, "Cannot convert " + noun + std::string(resource.name), [&] {
        RefusePlaceholder(resource);
        ShownProgress progress(ui);
        Conversion conversion;
        if (prepared != nullptr) {
            Replay(prepared->progress, progress);
            RethrowFailure(*prepared);
            conversion = std::move(prepared->conversion);
        } else {
            conversion = kind.convert(level, resource, session.options, progress);
        }
        if (conversion.pieces.empty()) {
            ui.Warn("Status: " + std::string(resource.name) + ": nothing to write: " + conversion.nothingToWrite);
            return;
        }
        const SaveDialog& dialog = kind.saveDialog;
        const std::string chosen = TargetPath(
            path, ui,
            {std::string(dialog.title), ConvertDialogName(resource, session.options),
             ConvertDialogFilter(resource, session.options), ConvertDialogExtension(resource, session.options)});
        if (chosen.empty()) {
            ui.SetStatusText("Status: ---");  // nothing was converted, and nothing is going on
            return;
        }
        OutputClaims single(FolderOf(chosen));
        WrittenFiles written;
        wrote = WriteConversion(conversion, chosen, session.OutputFolder, ui, run != nullptr ? *run : single, written,
                                prepared != nullptr ? &prepared->pieces : nullptr);
        if (wrote && !conversion.missingParts.empty()) {
            // Written, but not whole: the person is told, on the desktop in the
            // status bar, on the command line on stderr.
            ui.Warn("Status: Converted " + noun + std::string(resource.name) + ", but " + conversion.missingParts);
        } else if (wrote && !kind.convertDoneStatus.empty()) {
            ui.SetStatusText(std::string(kind.convertDoneStatus));
        } else if (wrote) {
            ui.SetStatusText("Status: Converted " + noun + std::string(resource.name) + ": " + written.Text());
        } else {
            refused = true;  // after the message that says why
        }
    });
    // During a batch the failure's own line is already the status text.
    if ((!ran || refused) && run == nullptr)
        ui.SetStatusText("Status: Cannot convert " + noun + std::string(resource.name));
    return wrote;
}

}  // namespace drossel
