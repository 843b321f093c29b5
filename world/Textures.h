// Every picture of the game: the four loading groups with their files, sizes and byte orders, loading them
// into the texture-name arrays of the game state, and a neutral stand-in for any file that is unusable.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class TextureGroup { World, Scene, Hud, Caustic };

struct TextureFile {
    std::string name; // file name under Texturen/
    int width;
    int height;
    // Uploaded as GL_RGB although the image library hands over blue, green, red: red and blue trade places.
    bool declaredRgb;
};

// The files of a group in load order (= index order of the group's texture array).
const std::vector<TextureFile>& textureFiles(TextureGroup group);

// Named places in the environment group.
inline constexpr int kBubbleTexture = 0;
inline constexpr int kFirstSosTexture = 2;
inline constexpr int kMuzzleTexture = 12;
// The world group's floor and water.
inline constexpr int kValleyTexture = 0;
inline constexpr int kWaterTexture = 1;

// Pixels ready for upload: exactly width x height x 3 bytes in the image library's blue-green-red order.
struct TexturePixels {
    std::vector<uint8_t> bytes;
    bool placeholder = false;
};

// Reads one texture file; a missing, undecodable or wrongly sized file gives a neutral grey picture of the
// fixed size and one line on stderr naming the file.
TexturePixels readTexturePixels(const std::string& path, int width, int height);

// Loads the world group (floor, water, sky) into game.worldTextures; prints its progress message.
void loadWorldTextures();

// Loads the environment, HUD and caustic groups and prepares texture unit 1 for the caustics.
void loadTextures();

// Loads one group into the given names, deleting the names of an earlier load first.
void loadTextureGroup(TextureGroup group, std::span<unsigned int> names);
