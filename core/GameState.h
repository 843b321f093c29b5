// The game record: every field more than one subsystem reads or writes, with its load value, the texture
// names, the timers' pending runs, the effects waiting for the next frame, and the platform's hooks.
#pragma once

#include "core/Effects.h"
#include "core/Picture.h"
#include "core/RenderScale.h"
#include "core/TextureTable.h"
#include "core/Timers.h"
#include "core/Vec3.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// Height of the water surface when the program starts; it only sinks from there.
inline constexpr float kStartWaterLevel = 20.0f;
// The submarine's life when the program starts and after a restart.
inline constexpr int kStartLife = 100;
// The launcher's load at the start of every game.
inline constexpr int kStartTorpedoes = 5;

// The torpedo launcher: a launched torpedo waits for the next press to detonate it, and the press that
// detonated one leaves the launcher ready for the press after.
enum TorpedoState : int { kTorpedoReady = 0, kTorpedoRunning = 1, kTorpedoDetonated = 2 };

// Window pixels (x, y, width, height) kept in a picture as they were drawn, and what they showed.
struct OverlayPicture {
    Picture storage;
    std::array<int, 4> pixels{};
    std::string shows;
};

// The faces the overlay's text is drawn in on screens above full HD; loaded on first need, shared by
// copies of a game.
struct TextFaces;

struct GameState {
    // Player, motion and view. Angles in degrees; velocity in world units per tick.
    Vec3d playerPos;
    Vec3d playerVel;
    // Eye of the camera that the light is given under at start-up: the load-time playerPos + (0, 1, 3).
    Vec3 eyePos{static_cast<float>(playerPos.x + 0.0), static_cast<float>(playerPos.y + 1.0),
                static_cast<float>(playerPos.z + 3.0)};
    float pitch = 0.0f;      // positive tilts the view down
    float heading = 0.0f;    // positive turns the view left
    float aimPitch = 0.0f;   // the copy of pitch that shots use
    float aimHeading = 0.0f; // the copy of heading that shots use and the camera turns by
    int mouseLastX = 0;      // window pixels
    int mouseLastY = 0;
    bool gunTriggerHeld = false;

    // Life, score and statistics. Life may go below 0; the game ends below 1.
    int lifePoints = kStartLife;
    int score = 0;
    int shotsFired = 0; // machine-gun shots
    int shotHits = 0;   // machine-gun shots that hit an enemy

    // Weapons.
    int torpedoes = 0; // left in the launcher
    TorpedoState torpedoState = kTorpedoReady;
    int gunHeat = 0;          // +5 a shot, -1 a gun-timer run; fires only below 70
    int gunBarrelAngle = 0;   // degrees, 20 to 360 in steps of 20
    int muzzleFlashFrame = 0; // 0 to 4

    // Towns and rescue. nearestTown indexes the town list (-1: none), so that it never dangles.
    int nearestTown = -1;
    bool beamingActive = false;
    int sosFrame = 0;         // 0 to 3, the SOS sign's running light
    int evacMessageCount = 0; // showings of the evacuation message since the last beaming step

    // World.
    float waterLevel = kStartWaterLevel; // height of the water surface, the submarine's ceiling
    unsigned int terrainList = 0;        // display list that sets the floor's texture state; tiles follow it
    std::vector<Box> floorTileBounds;    // per floor tile, from the grid the floor lists were compiled from
    int causticFrame = 0;                // 0 to 31
    float causticScale = 0.0f;
    int wavePhase = 0; // 0 to 7, the water ripple's step

    // Material of the HUD gun model; the alpha of diffuse and specular is opaque.
    std::array<float, 4> matAmbient{};
    std::array<float, 4> matDiffuse{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 4> matSpecular{0.0f, 0.0f, 0.0f, 1.0f};
    float matShininess = 0.0f;

    // Game flow. gameOver stops every timer and a restart clears it; gameEnded stays set once a game has
    // been lost and lets the restart key work.
    bool gameOver = false;
    bool gameEnded = false;

    // Texture names of the four loading groups, in the table's order.
    std::array<unsigned int, kWorldTextureFiles.size()> worldTextures{};
    std::array<unsigned int, kSceneTextureFiles.size()> sceneTextures{};
    std::array<unsigned int, kHudTextureFiles.size()> hudTextures{};
    std::array<unsigned int, kCausticTextureFiles.size()> causticTextures{};
    // The HUD's masks folded at load time with the colours drawn over them: the bottom bar with each life
    // bar frame and the right bar as premultiplied pictures, the radar's mask as an alpha picture. 0 where
    // a mask is not grey: those pictures keep their mask pass.
    std::array<unsigned int, kHealthFrames> hudBottomBarFolds{};
    unsigned int hudRightBarFold = 0;
    unsigned int hudRadarMaskAlpha = 0;
    // Parts of the HUD that change seldom (the masked radar, the three score lines and the gun), each as
    // its window pixels showed it when last drawn.
    std::array<OverlayPicture, 5> hudPictures;
    std::shared_ptr<TextFaces> textFaces;
    // The world drawn below the window's resolution while frames are slow, then scaled up to it.
    Picture worldPicture;
    RenderScale renderScale;
    PictureSupport pictureSupport;
    // The parts of the folded bars, the crosshair and the muzzle flash that change the picture, in texels
    // (left, bottom, right, top), the only parts worth drawing; while empty the whole picture is drawn.
    std::array<std::vector<std::array<int, 4>>, kHealthFrames> hudBottomBarBoxes;
    std::vector<std::array<int, 4>> hudRightBarBoxes;
    std::vector<std::array<int, 4>> hudCrosshairBoxes;
    std::vector<std::array<int, 4>> muzzleBoxes;

    // How the floor is drawn: only the tiles a frame can see, or (for comparisons) all or none of them.
    bool cullHiddenFloor = true;
    bool drawFloor = true;
    // Whether frames carry the HUD; off only to measure what it costs.
    bool drawHud = true;

    // A run pending per timer, so that re-arming never doubles a timer.
    std::array<bool, kTimerCount> timerPending{};
    TickClock tickClock;

    // What the next frame draws and the shell plays.
    PendingEffects effects;

    // The platform's hands, set by main (GLUT); tests put recorders here instead.
    TimerScheduler scheduleTimer = nullptr;
    void (*swapBuffers)() = nullptr;
    void (*warpPointer)(int x, int y) = nullptr;
};
