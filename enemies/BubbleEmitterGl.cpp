#include "enemies/BubbleEmitter.h"

void BubbleEmitter::draw() const {
    drawBubbles(bubbles);
}
