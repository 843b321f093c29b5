// What rules and timers want seen or heard: shapes the next frame draws once in the world, the muzzle flash
// it draws once over the HUD, texts that stay over the HUD until a rule clears them, the caustic frame for
// unit 1, sounds and the pad's rumble. Rules only record here; the frame draws and forgets, the shell plays,
// so nothing is ever drawn between two frames.
#pragma once

#include "core/Sounds.h"
#include "core/Vec3.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

using Colour = std::array<float, 4>; // red, green, blue, alpha

// Drawn once by the next frame with that frame's camera, after the world.
struct WorldShape {
    enum class Kind { Line, Sphere };
    Kind kind;
    Vec3 position; // line start or sphere centre
    Vec3 end;      // line end
    Colour colour;
    float size;   // line width (it stays in force after the line) or sphere radius
    int detail;   // sphere slices and stacks
    bool blended; // translucent: added to what lies behind, unlit, without depth writes
};

// Drawn over the HUD by every frame until a rule clears it: a line of text at an overlay position (-1..1).
struct ScreenText {
    std::string text;
    float x;
    float y;
    Colour colour;
};

// Object-linear planes for the S and T coordinates of the caustic unit.
struct CausticPlanes {
    std::array<float, 4> s;
    std::array<float, 4> t;
};

// The caustic frame and planes that unit 1 shows from the next frame on.
struct CausticProjection {
    int frame;
    CausticPlanes planes;
};

// The muzzle flash the next frame draws over the HUD, with its turn about the view axis (the barrel's
// angle and the flash's frame) and its random tilt, both in degrees and fixed when the shot was fired.
struct MuzzleFlash {
    float turn;
    float tilt;
};

// What the pad's rumble says, mildest first: an enemy's hit, a torpedo going off, the game lost.
enum class Rumble { Hit, TorpedoBlast, GameLost };

struct PendingEffects {
    std::vector<WorldShape> worldShapes;
    std::vector<ScreenText> screenTexts;
    std::optional<CausticProjection> caustics;
    std::optional<MuzzleFlash> muzzleFlash;
    std::vector<Sound> sounds;
    // The strongest rumble since the shell last looked: a pad plays one at a time.
    std::optional<Rumble> rumble;

    void addLine(const Vec3& from, const Vec3& to, const Colour& colour, float width);
    void addSphere(const Vec3& centre, float radius, int detail, const Colour& colour, bool blended);
    void showText(std::string text, float x, float y, const Colour& colour);
    void clearTexts() { screenTexts.clear(); }
    void play(Sound sound) { sounds.push_back(sound); }
    void shake(Rumble kind) { rumble = std::max(rumble.value_or(kind), kind); }
};
