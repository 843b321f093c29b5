#include "enemies/BubbleEmitter.h"

#include <cstdlib>

namespace {

constexpr float kReleaseHeight = 0.05f;
constexpr float kSmallestBubble = 0.075f;

} // namespace

BubbleEmitter::BubbleEmitter() {
    addBubble();
    addBubble();
}

bubbleparticle BubbleEmitter::freshBubble() const {
    return bubbleparticle({position.x, position.y + kReleaseHeight, position.z},
                          kSmallestBubble + 2.0f * sizeJitter);
}

void BubbleEmitter::addBubble() {
    sizeJitter = (std::rand() % 10) / 2000.0f;
    bubbles.push_back(freshBubble());
}

void BubbleEmitter::update(float x, float y, float z) {
    ++updateCount;
    position = {x, y, z};
    if (updateCount % 2 == 0 && static_cast<int>(bubbles.size()) < kMaxBubbles)
        addBubble();
    // Recycling in place keeps the order of the stream and never shortens the walk.
    for (bubbleparticle& bubble : bubbles) {
        bubble.update();
        if (bubble.age >= kBubbleLifetime)
            bubble = freshBubble();
    }
}
