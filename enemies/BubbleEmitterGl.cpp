#include "enemies/BubbleEmitter.h"

void BubbleEmitter::draw() const {
    for (const bubbleparticle& bubble : bubbles)
        bubble.draw();
}
