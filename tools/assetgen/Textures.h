// Painters for every picture in Texturen/. Each returns the picture upright as it is meant to be seen;
// the asset list decides how it is stored.
#pragma once

#include "tools/assetgen/Image.h"
#include "tools/assetgen/Relief.h"
#include "core/TextureTable.h"

#include <vector>

namespace assetgen {

// World: seabed, water surface from below, animated caustics, sky box faces.
Image paintSeabed();
Image paintWaterSurface();
std::vector<Image> paintCaustics();
enum class SkyFace { Top, Left, Right, Front, Back, Bottom };
Image paintSky(SkyFace face);

// Scene: bubble, tiles, SOS sign frames, house facades, muzzle flash, floor.
Image paintBubble();
Image paintCheckerTiles();
Image paintSosFrame(int frame);
Image paintFacade(int number);
Image paintMuzzleFlash();
Image paintBlackWhiteFloor();

// HUD: colour pictures and masks.
Image paintHealthBar(int number);
Image paintHealthMask();
Image paintBottomBar();
Image paintBottomBarMask();
Image paintSideBar();
Image paintSideBarMask();
Image paintHeatGradient();
Image paintCrosshair();
Image paintCrosshairMask();
enum class PersonState { OutOfReach, InReach, Beaming };
Image paintPerson(PersonState state);
Image paintPointer();
Image paintRadarMap(const Relief& relief);
Image paintRadarMask(const Relief& relief);

} // namespace assetgen
