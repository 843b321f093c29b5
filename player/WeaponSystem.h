// The submarine's machine gun and torpedoes with the projectiles in flight.
#pragma once

class WeaponSystem {
public:
    // Ages the projectiles in flight; they arrive with the weapons.
    void update(float, float, float) {}
    void draw() const {}
};

// Timer callback: one possible shot of the machine gun per run.
void gunTimer(int value);
