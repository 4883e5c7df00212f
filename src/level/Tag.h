#pragma once
// A resource kind's four characters, held in place: a level has hundreds of
// thousands of records, and two strings per record would double what a load
// has to touch.

#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace drossel {

// A four-character tag as one number, for fast exact comparison; 0 for any
// text that is not four characters long.
constexpr std::uint32_t PackTag(std::string_view tag) {
    if (tag.size() != 4) return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(tag[0])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[3])) << 24);
}

static_assert(std::endian::native == std::endian::little, "a tag's number is its characters in memory order");

class Tag {
public:
    constexpr Tag() = default;
    // Takes the first four characters; shorter text is padded with zero bytes.
    constexpr Tag(std::string_view text) {  // NOLINT: a tag reads and compares like its text
        for (std::size_t i = 0; i < chars_.size() && i < text.size(); ++i) chars_[i] = text[i];
    }
    constexpr Tag(const char* text) : Tag(std::string_view(text)) {}  // NOLINT

    constexpr std::string_view view() const { return {chars_.data(), chars_.size()}; }
    // The four characters as one number, as PackTag gives it.
    constexpr std::uint32_t packed() const { return std::bit_cast<std::uint32_t>(chars_); }
    constexpr operator std::string_view() const { return view(); }  // NOLINT
    std::string str() const { return std::string(view()); }
    // The same four characters in reverse order, as the descriptor stores them.
    constexpr Tag Reversed() const {
        Tag r;
        for (std::size_t i = 0; i < chars_.size(); ++i) r.chars_[i] = chars_[chars_.size() - 1 - i];
        return r;
    }

    constexpr bool operator==(const Tag& other) const { return packed() == other.packed(); }
    constexpr bool operator==(std::string_view text) const { return view() == text; }
    constexpr bool operator==(const char* text) const { return view() == std::string_view(text); }

private:
    std::array<char, 4> chars_{};
};

// Only a Tag itself: other text would otherwise turn into a tag on the way
// and lose all but its first four characters.
template <std::same_as<Tag> T>
std::string operator+(const std::string& text, const T& tag) {
    return text + std::string(tag.view());
}
template <std::same_as<Tag> T>
std::string operator+(std::string&& text, const T& tag) {
    return std::move(text.append(tag.view()));
}
inline std::ostream& operator<<(std::ostream& out, const Tag& tag) {
    return out << tag.view();
}

}  // namespace drossel
