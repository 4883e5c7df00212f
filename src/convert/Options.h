#pragma once
// The settings of the Options menu (and of drossel-cli's options) that the
// converters read. Each default is written here once: it is the value a setting
// has at program start and, for the settings a load resets, after every load.

#include <string>
#include <string_view>

namespace drossel {

// The Textures choice: container and depth of converted pictures.
enum class ImageFormat { Tga32, Bmp32, Tga24, Bmp24, Png32 };

std::string ImageExtension(ImageFormat format);  // ".tga", ".bmp" or ".png"
int ImageBits(ImageFormat format);               // 32 or 24

// The choice of glTF 2.0 binary (.glb) beside the LightWave layouts of models,
// characters and weapons and the level formats: the same code in all four.
inline constexpr int kGlb = 2;

struct Options {
    ImageFormat Image = ImageFormat::Tga32;
    int ModelLwoFormat = 65;      // 60, 65, 70 or kGlb
    int CharacterLwoFormat = 60;  // 60, 65, 70 or kGlb
    int WeaponLwoFormat = 70;     // 60, 70 or kGlb
    int CharacterGroup = 5;       // 1 to 5; 6 = all groups
    int LevelFormat = 1;          // 1, 6, 7, 8 or kGlb
    std::string WavExtension = ".wav";
    bool OneTextFile = false;
    bool DeleteGarbage = false;
    // A level's glTF export keeps the ghost, door-frame and invisible quads too.
    bool AllQuadsGeometry = false;

    // Gives the settings every load resets (textures, 3D objects, characters'
    // layout, sounds, level format) their defaults; the others keep their values.
    void ResetForLoad();
};

}  // namespace drossel
