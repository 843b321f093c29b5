// The one program-wide record of the game: every shared field with its load value, the texture names,
// and the program-wide objects (bubbles, weapons, fleet, towns) that hang off it.
#pragma once

#include "app/Vec3.h"
#include "core/TextureTable.h"
#include "enemies/BubbleEmitter.h"
#include "enemies/EnemyFleet.h"
#include "player/WeaponSystem.h"
#include "towns/Stadt.h"
#include "world/Culling.h"

#include <array>
#include <vector>

// Schedules a one-shot timer; GLUT's glutTimerFunc in the game, a recorder in tests, none if null.
using TimerScheduler = void (*)(unsigned int delayMs, void (*callback)(int), int value);

inline constexpr int kTimerCount = 7;

struct GameState {
    // Player, motion and view.
    Vec3d playerPos;
    Vec3d playerVel;
    Vec3 eyePos{static_cast<float>(playerPos.x + 0.0), static_cast<float>(playerPos.y + 1.0),
                static_cast<float>(playerPos.z + 3.0)};
    float pitch = 0.0f;
    float heading = 0.0f;
    float aimPitch = 0.0f;
    float aimHeading = 0.0f;
    int mouseLastX = 0;
    int mouseLastY = 0;
    bool gunTriggerHeld = false;

    // Life, score and statistics.
    int lifePoints = 100;
    int score = 0;
    int shotsFired = 0;
    int shotHits = 0;

    // Weapons.
    int torpedoes = 0;
    int torpedoState = 0;
    int gunHeat = 0;
    int gunBarrelAngle = 0;
    int muzzleFlashFrame = 0;

    // Towns and rescue. nearestTown indexes towns (-1: none), so that it never dangles when the list changes.
    int nearestTown = -1;
    bool beamingActive = false;
    int sosFrame = 0;
    int evacMessageCount = 0;

    // World and effects.
    float waterLevel = 20.0f;
    unsigned int terrainList = 0;
    std::vector<Box> floorTileBounds; // per floor tile, from the grid the floor lists were compiled from
    int causticFrame = 0;
    float causticScale = 0.0f;
    int wavePhase = 0;

    // Material of the HUD gun model; the alpha of diffuse and specular is opaque.
    std::array<float, 4> matAmbient{};
    std::array<float, 4> matDiffuse{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 4> matSpecular{0.0f, 0.0f, 0.0f, 1.0f};
    float matShininess = 0.0f;

    // Game flow.
    bool gameOver = false;
    bool gameEnded = false;

    // Texture names of the four loading groups.
    std::array<unsigned int, kWorldTextureFiles.size()> worldTextures{};
    std::array<unsigned int, kSceneTextureFiles.size()> sceneTextures{};
    std::array<unsigned int, kHudTextureFiles.size()> hudTextures{};
    std::array<unsigned int, kCausticTextureFiles.size()> causticTextures{};

    // How the floor is drawn: only the tiles a frame can see, or (for comparisons) all or none of them.
    bool cullHiddenFloor = true;
    bool drawFloor = true;

    // Timer plumbing: a run pending per timer, so that re-arming never doubles a timer.
    std::array<bool, kTimerCount> timerPending{};

    // The platform's hands, set by main (GLUT); tests put recorders here instead.
    TimerScheduler scheduleTimer = nullptr;
    void (*swapBuffers)() = nullptr;

    // Program-wide objects, created in this order before main and never destroyed.
    BubbleEmitter playerBubbles;
    WeaponSystem weaponSystem;
    EnemyFleet enemyFleet;
    std::vector<Stadt> towns;
};

// The game's instance: allocated before main, reachable for the whole run, never destroyed.
extern GameState& game;
