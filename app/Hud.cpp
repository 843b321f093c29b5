#include "app/Hud.h"

#include "app/EffectsDrawing.h"
#include "app/Game.h"
#include "core/Gl.h"
#include "core/View.h"

void display() {
    // The perspective set here is the one the next 3D frame uses; the overlay works in -1..1.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewY, kAspect, kNearPlane, kFarPlane);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Keep the caustics off the overlay.
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_DEPTH_TEST);

    drawScreenEffects(game.effects);

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_LIGHTING);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    if (game.swapBuffers)
        game.swapBuffers();
}
