#include "player/WeaponSystem.h"

void WeaponSystem::draw() const {
    for (const w1particle& tracer : tracers)
        tracer.draw();
    for (const w2particle& torpedo : runningTorpedoes)
        torpedo.draw();
}
