// Every picture of the game: the four loading groups with their files, sizes and byte orders, loading them
// into the texture-name arrays of the game state, and a neutral stand-in for any file that is unusable.
#pragma once

#include "core/TextureTable.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

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
