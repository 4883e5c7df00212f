#pragma once
// The settings of the Options menu (and of drossel-cli's options) that the
// converters read. Each default is written here once: it is the value a setting
// has at program start and, for the settings a load resets, after every load.

#include <string>
#include <string_view>

namespace drossel {

// The Textures choice: container and depth of converted pictures.
enum class ImageFormat { Tga32, Bmp32, Tga24, Bmp24 };

std::string ImageExtension(ImageFormat format);  // ".tga" or ".bmp"
int ImageBits(ImageFormat format);               // 32 or 24

struct Options {
    ImageFormat Image = ImageFormat::Tga32;
    int ModelLwoFormat = 65;      // 60, 65 or 70
    int CharacterLwoFormat = 60;  // 60, 65 or 70
    int WeaponLwoFormat = 70;     // 60 or 70
    int CharacterGroup = 5;       // 1 to 5; 6 = all groups
    int LevelFormat = 1;          // 1, 6, 7 or 8
    std::string WavExtension = ".wav";
    bool OneTextFile = false;
    bool DeleteGarbage = false;

    // Gives the settings every load resets (textures, 3D objects, characters'
    // layout, sounds, level format) their defaults; the others keep their values.
    void ResetForLoad();
};

}  // namespace drossel
