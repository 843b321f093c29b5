// The submarine's machine gun and torpedoes with the projectiles in flight.
#pragma once

class WeaponSystem {
public:
    // Ages the projectiles in flight; they arrive with the weapons.
    void update(float, float, float) {}
    void draw() const {}
};
