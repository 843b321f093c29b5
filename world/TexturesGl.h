// Uploading the four texture groups of the table into the texture-name arrays of the game record.
#pragma once

#include "core/TextureTable.h"
#include "world/TextureFiles.h"

#include <span>

struct GameState;

// Loads the world group (floor, water, sky) into worldTextures; prints its progress message.
void loadWorldTextures(GameState& state);

// Loads the environment, HUD and caustic groups and prepares texture unit 1 for the caustics; folds the
// HUD's grey masks into the pictures drawn over them and finds the parts of the HUD's and muzzle flash's
// pictures worth drawing. Returns the bubble picture as read, for the enemies' own textures.
TexturePixels loadTextures(GameState& state);

// Loads one group into the given names, deleting the names of an earlier load first.
void loadTextureGroup(TextureGroup group, std::span<unsigned int> names);

// Gives a texture name its picture, filtered and laid out as every texture of the game is.
void uploadTexture(unsigned int name, const TextureFile& file, const TexturePixels& pixels);
