#pragma once
// The string editor without its widgets: the text of one string resource
// (TStr or IGSt), and writing a new text into its fixed-width field in place,
// left-aligned and filled with blanks.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace drossel {

class Level;

inline constexpr const char* kNotAString = "Please, choose IGSt or TStr file for editing";
inline constexpr std::array<std::string_view, 2> kEditableStringTags = {"IGSt", "TStr"};

class StringEditor {
public:
    // Reads the resource's text. Throws DrosselError for a placeholder and when
    // the .dat does not hold its record.
    StringEditor(const Level& level, std::int32_t index);

    std::int32_t index() const { return index_; }
    // How many characters the field holds.
    std::size_t width() const { return width_; }
    // The text up to its first zero byte, in UTF-8.
    const std::string& text() const { return text_; }

    // "Save Changes": writes `text` (UTF-8) into the field, and only the field.
    // Throws DrosselError, with the file as it was, when the text does not fit
    // the field or the game's code page, the field is not wholly the resource's
    // own, or the level has changed since it was loaded, or cannot be written.
    void Save(const Level& level, std::string_view text) const;

private:
    std::int32_t index_;
    std::size_t width_ = 0;
    std::string text_;
};

}  // namespace drossel
