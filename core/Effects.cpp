#include "core/Effects.h"

void PendingEffects::addLine(const Vec3& from, const Vec3& to, const Colour& colour, float width) {
    worldShapes.push_back({WorldShape::Kind::Line, from, to, colour, width, 0, false});
}

void PendingEffects::addSphere(const Vec3& centre, float radius, int detail, const Colour& colour,
                               bool blended) {
    worldShapes.push_back({WorldShape::Kind::Sphere, centre, {}, colour, radius, detail, blended});
}

void PendingEffects::showText(std::string text, float x, float y, const Colour& colour) {
    screenTexts.push_back({std::move(text), x, y, colour});
}
