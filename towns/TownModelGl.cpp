#include "towns/TownModelGl.h"

#include "core/Gl.h"
#include "towns/Stadt.h"

namespace {

void cone() {
    glutSolidCone(0.3, 0.8, 8, 2);
}
void sphere(double radius, int detail) {
    glutSolidSphere(radius, detail, detail);
}

// Houses and towers: opaque blocks under the domes.
void buildHouses() {
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 0.3f, 1.0f);
    glTranslatef(1.0f, 0.0f, -1.0f);
    glScalef(1.0f, 3.0f, 1.0f);
    glutSolidCube(0.75);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-2.0f, 0.0f, 1.0f);
    glScalef(1.5f, 2.75f, 1.0f);
    glutSolidCube(1.0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(8.0f, -1.0f, -0.25f);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    cone();
    glTranslatef(0.5f, 0.75f, 0.0f);
    cone();
    glTranslatef(0.5f, -0.75f, 0.0f);
    cone();
    glTranslatef(-1.5f, 0.75f, 0.0f);
    cone();
    glTranslatef(0.0f, -1.25f, 0.0f);
    cone();
    glTranslatef(-2.0f, -6.0f, 0.0f);
    cone();
    glTranslatef(0.75f, 0.5f, 0.35f);
    glColor3f(0.0f, 0.7f, 0.1f);
    glutSolidCube(0.75);
    glTranslatef(0.4f, -0.75f, -0.2f);
    glColor3f(0.5f, 0.7f, 0.0f);
    glutSolidCube(0.5);
    glPopMatrix();

    glPushMatrix();
    glColor3f(1.0f, 0.2f, 0.3f);
    glTranslatef(1.7f, 1.4f, 1.5f);
    glScalef(3.0f, 1.0f, 1.5f);
    glutSolidCube(0.6);
    glTranslatef(0.24f, -1.35f, 0.0f);
    glScalef(0.2f, 3.5f, 1.0f);
    glutSolidCube(0.6);
    glTranslatef(-2.4f, 0.0f, 0.0f);
    glutSolidCube(0.6);
    glTranslatef(1.2f, -0.1f, 0.0f);
    glScalef(3.0f, 0.4f, 1.0f);
    glutSolidCube(0.6);
    glPopMatrix();
}

void buildDomedHouses() {
    glPushMatrix();
    glColor3f(0.5f, 0.0f, 1.0f);
    glTranslatef(-0.7f, -0.7f, 2.3f);
    glScalef(1.5f, 1.0f, 2.5f);
    glutSolidCube(0.6);
    glTranslatef(0.0f, 0.3f, 0.0f);
    glScalef(1.0f, 1.5f, 1.0f);
    sphere(0.3, 5);
    glPopMatrix();

    glPushMatrix();
    glColor3f(0.5f, 0.0f, 0.0f);
    glTranslatef(-2.0f, -0.7f, -2.0f);
    glScalef(2.0f, 1.0f, 1.0f);
    glutSolidCube(0.6);
    glTranslatef(0.0f, 0.3f, 0.0f);
    glScalef(1.0f, 2.0f, 1.0f);
    sphere(0.3, 10);
    glColor3f(0.0f, 0.3f, 0.0f);
    glTranslatef(1.0f, 0.3f, 2.1f);
    sphere(0.5, 4);
    glTranslatef(0.0f, -0.4f, 0.0f);
    glutSolidCube(0.5);
    glPopMatrix();
}

// The glass: domes and connecting tubes, added onto the scene in translucent sea green.
void buildDomes() {
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glColor4f(0.2f, 1.0f, 0.8f, 0.5f);
    sphere(4.0, 40);
    glTranslatef(5.25f, -1.0f, 0.0f);
    glScalef(3.0f, 1.0f, 1.0f);
    glutSolidCube(1.0);
    glPopMatrix();

    glPushMatrix();
    glRotatef(-45.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(5.0f, -1.0f, -0.1f);
    glScalef(4.3f, 1.0f, 1.0f);
    glutSolidCube(1.0);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(8.0f, -1.0f, 0.0f);
    sphere(1.5, 20);
    glColor4f(0.2f, 1.0f, 0.8f, 0.5f);
    glTranslatef(-2.0f, 0.0f, 6.0f);
    sphere(1.5, 20);
    glTranslatef(-6.0f, 1.0f, -6.0f);
    glColor4f(0.2f, 1.0f, 0.8f, 0.25f);
    sphere(4.1, 40);
    glPopMatrix();
    glDisable(GL_BLEND);
}

void drawSign(int angle) {
    glRotatef(static_cast<float>(angle), 0.0f, 1.0f, 0.0f);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, 4.1f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, 4.1f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 5.1f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 5.1f, 0.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

} // namespace

void buildTownModel(unsigned int list) {
    glNewList(list, GL_COMPILE);
    buildHouses();
    buildDomedHouses();
    buildDomes();
    glEndList();
}

void compileTownModels(std::vector<Stadt>& towns) {
    for (Stadt& town : towns) {
        town.displayList = glGenLists(1);
        buildTownModel(town.displayList);
    }
}

void releaseTownModels(const std::vector<Stadt>& towns) {
    for (const Stadt& town : towns)
        if (town.displayList != 0)
            glDeleteLists(town.displayList, 1);
}

void drawTown(Stadt& town) {
    glPushMatrix();
    glTranslatef(town.position.x, town.position.y, town.position.z);
    glCallList(town.displayList);
    if (town.inhabitants > 0) {
        drawSign(town.signAngle);
        town.signAngle = nextSignAngle(town.signAngle);
    }
    glPopMatrix();
}
