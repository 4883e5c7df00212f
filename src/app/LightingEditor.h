#pragma once
// The lighting editor without its widgets: its own copy of a level's quad list
// (AGQG), the four corner colours of each quad, the three ways of changing them
// in the copy, and writing the copy back into the .dat in place.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace drossel {

class Level;

inline constexpr std::array<std::string_view, 1> kLightingListTags = {"AGQG"};
inline constexpr const char* kNotALightingList = "Please, choose AGQG file to EDIT";
inline constexpr const char* kLightChanged = "Changed";
inline constexpr const char* kLightChangedAll = "Changed ALL";

// The four corner colours of a quad, as its bytes 32 to 47 hold them: for
// each corner blue, green, red and a fourth byte.
inline constexpr std::size_t kColourBytes = 16;
inline constexpr int kCornerColours = 4;
using QuadColours = std::array<std::uint8_t, kColourBytes>;

class LightingEditor {
public:
    // Copies the quad list's header and quads. Throws DrosselError for a
    // placeholder, and when the .dat does not hold them or the list has no quads.
    LightingEditor(const Level& level, std::int32_t index);

    std::int32_t index() const { return index_; }
    std::uint32_t quadCount() const { return quadCount_; }
    QuadColours Colours(std::uint32_t quad) const;

    // "Apply": one quad's four colours.
    void Apply(std::uint32_t quad, const QuadColours& colours);
    // An "all" button: colour `corner` (1 to 4), taken from `colours`, into every quad.
    void ApplyCornerToAll(int corner, const QuadColours& colours);
    // "Apply to all": all four colours into every quad.
    void ApplyToAll(const QuadColours& colours);

    // "OK": the changed colours back where they came from: the bytes from the
    // first changed quad's colours to the last one's. Throws DrosselError, with
    // the file as it was, when those bytes are not wholly the list's own, or the
    // level has changed since it was loaded or cannot be written.
    void Save(const Level& level) const;

    // The window's labels.
    std::string FileNameText(const Level& level) const;      // "File name: NAME.AGQG"
    std::string DataPositionText(const Level& level) const;  // the data offset + 1
    std::string QuadText(std::uint32_t quad) const;          // "Light Data: i of Q - 1"

private:
    // Where the quad's colours lie in the copy.
    std::size_t ColoursAt(std::uint32_t quad) const;
    void Changed(std::uint32_t first, std::uint32_t last);

    std::int32_t index_;
    std::uint32_t quadCount_ = 0;
    std::vector<std::uint8_t> data_;  // header, then the quads, as the file holds them
    std::uint32_t firstChanged_ = UINT32_MAX;
    std::optional<std::uint32_t> lastChanged_;  // unset: nothing changed
};

// A colour text box's content as a byte: a whole number from 0 to 255
// (surrounding blanks allowed), or nothing.
std::optional<std::uint8_t> ColourByte(std::string_view text);

// The sixteen colour boxes' texts read as `colours`, from box `first` (0-based)
// for `count` boxes; the others keep their values. On a box that holds anything
// else, the message that says which, and `colours` as it was.
std::optional<std::string> ReadColourTexts(std::span<const std::string, kColourBytes> texts, std::size_t first,
                                           std::size_t count, QuadColours& colours);

}  // namespace drossel
