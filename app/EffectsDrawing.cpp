#include "app/EffectsDrawing.h"

#include "app/HudText.h"
#include "core/Effects.h"
#include "core/GameState.h"
#include "core/Gl.h"

void drawWorldEffects(const PendingEffects& effects, float pixelScale) {
    if (effects.worldShapes.empty())
        return;
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_2D);
    for (const WorldShape& shape : effects.worldShapes) {
        glColor4fv(shape.colour.data());
        // A translucent shape is light, not a surface: added to what is behind it, unlit, hiding nothing.
        if (shape.blended) {
            glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glDisable(GL_LIGHTING);
            glDepthMask(GL_FALSE);
        }
        glPushMatrix();
        switch (shape.kind) {
        case WorldShape::Kind::Line:
            // A line has no surface to light: lit, it would take its shade from whatever normal the last
            // shape left behind.
            glPushAttrib(GL_ENABLE_BIT);
            glDisable(GL_LIGHTING);
            // Wide in window pixels, whatever resolution the world is drawn at.
            glLineWidth(shape.size * pixelScale);
            glBegin(GL_LINES);
            glVertex3f(shape.position.x, shape.position.y, shape.position.z);
            glVertex3f(shape.end.x, shape.end.y, shape.end.z);
            glEnd();
            glPopAttrib();
            break;
        case WorldShape::Kind::Sphere:
            glTranslatef(shape.position.x, shape.position.y, shape.position.z);
            glutSolidSphere(shape.size, shape.detail, shape.detail);
            break;
        }
        glPopMatrix();
        if (shape.blended)
            glPopAttrib();
    }
}

void drawScreenEffects(GameState& state) {
    const PendingEffects& effects = state.effects;
    if (effects.screenTexts.empty())
        return;
    // Lit, a raster position would take its colour from the light instead of the text's own.
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    for (const ScreenText& text : effects.screenTexts) {
        glColor4fv(text.colour.data());
        drawText(state, Typeface::Helvetica18, text.text, text.x, text.y);
    }
}
