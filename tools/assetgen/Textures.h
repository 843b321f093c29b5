// Painters for every picture in Texturen/. Each returns the picture upright as it is meant to be seen;
// the asset list decides how it is stored. Pictures that tile or meet their neighbours edge to edge take
// the size to paint, as resampling would soften those edges; the others are laid out in pixels and come
// at the size they were drawn for.
#pragma once

#include "core/TextureTable.h"
#include "tools/assetgen/Image.h"
#include "tools/assetgen/Relief.h"

namespace assetgen {

// World: seabed, water surface from below, caustic animation frames, sky box faces.
Image paintSeabed(int width, int height);
Image paintWaterSurface(int width, int height);
Image paintCausticFrame(int frame, int width, int height);
enum class SkyFace { Top, Left, Right, Front, Back, Bottom };
Image paintSky(SkyFace face, int width, int height);

// Scene: bubble, tiles, SOS sign frames, house facades, muzzle flash, floor.
Image paintBubble();
Image paintCheckerTiles(int width, int height);
Image paintSosFrame(int frame);
Image paintFacade(int number);
Image paintMuzzleFlash();
Image paintBlackWhiteFloor(int width, int height);

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
