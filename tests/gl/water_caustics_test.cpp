#include "app/Game.h"
#include "app/TimerCallbacks.h"
#include "core/Gl.h"
#include "support/GlTest.h"
#include "support/SavedGame.h"
#include "world/CausticsGl.h"
#include "world/Terrain.h"
#include "world/WaterGl.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// A texture of the given grey values, laid out left to right in one row; nearest sampling so that
// each texel shows undiluted.
GLuint greyTexture(const std::vector<unsigned char>& greys) {
    std::vector<unsigned char> rgb;
    for (unsigned char grey : greys)
        rgb.insert(rgb.end(), {grey, grey, grey});
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, static_cast<GLsizei>(greys.size()), 1, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 rgb.data());
    return name;
}

GLint activeUnit() {
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    return unit;
}

// Mean of a small square around a point given as fractions of the picture.
cv::Scalar sample(const cv::Mat& picture, double fx, double fy) {
    const int x = static_cast<int>(fx * picture.cols);
    const int y = static_cast<int>(fy * picture.rows);
    return meanColour(picture, {x - 5, y - 5, 10, 10});
}

// Plain 45 degree perspective, no light, fog or depth test, nothing textured: each test switches on only
// what it looks at. GL state and the game record come back afterwards.
class WaterCaustics : public testing::Test {
protected:
    void SetUp() override {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

        width = glutGet(GLUT_WINDOW_WIDTH);
        height = glutGet(GLUT_WINDOW_HEIGHT);
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();

        for (GLenum capability : {GL_LIGHTING, GL_FOG, GL_DEPTH_TEST, GL_BLEND, GL_CULL_FACE})
            glDisable(capability);
        for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE0}) {
            glActiveTexture(unit);
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        }
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopClientAttrib();
        glPopAttrib();
        glDeleteTextures(static_cast<GLsizei>(made.size()), made.data());
    }

    GLuint keep(GLuint texture) {
        made.push_back(texture);
        return texture;
    }

    const SavedGame savedGame;
    int width = 0;
    int height = 0;
    std::vector<GLuint> made;
};

// A white strip one caustic period wide (s from 0 to 1 along x), 30 units ahead of the eye.
void drawWhiteStrip() {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(-40.0f / 3.0f, 0.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(0.0f, -2.0f, -30.0f);
    glVertex3f(80.0f / 3.0f, -2.0f, -30.0f);
    glVertex3f(80.0f / 3.0f, 2.0f, -30.0f);
    glVertex3f(0.0f, 2.0f, -30.0f);
    glEnd();
}

} // namespace

TEST_F(WaterCaustics, TimerProjectsTheNextFrameOnUnitOneAndLeavesUnitZeroActive) {
    // Frame 0 is an even dark grey; frame 1 is dark on its left half and light on its right half.
    game.causticTextures.fill(0);
    game.causticTextures[0] = keep(greyTexture({64}));
    game.causticTextures[1] = keep(greyTexture({64, 192}));
    game.causticFrame = 0;
    game.causticScale = 0.75f;

    prepareCausticUnit(game);
    EXPECT_EQ(activeUnit(), GL_TEXTURE0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glActiveTexture(GL_TEXTURE1);
    GLint bound = 0;
    GLint mode = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(static_cast<GLuint>(bound), game.causticTextures[0]);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // Generation as the frame switches it on; the planes are still the defaults until the first timer run.
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_2D); // unit 0 hands the plain white on to the caustics

    drawWhiteStrip();
    const cv::Mat before = readBackBuffer();
    EXPECT_NEAR(sample(before, 0.3, 0.5)[1], 64, 10);
    EXPECT_NEAR(sample(before, 0.7, 0.5)[1], 64, 10);

    causticTimer(1);
    applyRecordedCaustics(game); // what the next frame does first
    EXPECT_EQ(game.causticFrame, 1);
    EXPECT_EQ(activeUnit(), GL_TEXTURE0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "the timer must leave unit 0 as it found it";

    // The new frame, projected along x by the object planes: the strip's left half dark, its right half
    // light.
    drawWhiteStrip();
    const cv::Mat after = readBackBuffer();
    EXPECT_NEAR(sample(after, 0.3, 0.5)[1], 64, 10);
    EXPECT_NEAR(sample(after, 0.7, 0.5)[1], 192, 10);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(sample(after, 0.7, 0.5)[channel], sample(after, 0.7, 0.5)[1], 3) << channel;

    glActiveTexture(GL_TEXTURE1);
    std::array<GLfloat, 4> s{};
    std::array<GLfloat, 4> t{};
    glGetTexGenfv(GL_S, GL_OBJECT_PLANE, s.data());
    glGetTexGenfv(GL_T, GL_OBJECT_PLANE, t.data());
    GLint sMode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &sMode);
    const bool generating = glIsEnabled(GL_TEXTURE_GEN_S) && glIsEnabled(GL_TEXTURE_GEN_T);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(sMode, GL_OBJECT_LINEAR);
    EXPECT_TRUE(generating);
    const std::array<float, 4> wantS{0.0375f, 0.0225f, 0.0f, 0.0f};
    const std::array<float, 4> wantT{0.0f, 0.0225f, 0.0375f, 0.0f};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(s[k], wantS[k], 1e-6) << k;
        EXPECT_NEAR(t[k], wantT[k], 1e-6) << k;
    }
}

TEST_F(WaterCaustics, WaterIsACeilingOverTheSubmarineAnimatedOnlyInsideItsWindow) {
    // A flat patch around the submarine at (400, 0, -400), every water height at a marker the ripple
    // replaces.
    constexpr float kMarker = 25.0f;
    for (int i = 50; i <= 151; ++i)
        for (int j = 50; j <= 151; ++j)
            terrainGrid[i][j] = {i * 4.0f, -60.0f, -j * 4.0f, kMarker};
    game.playerPos = {400.0, 0.0, -400.0};
    game.waterLevel = 20.0f;
    game.wavePhase = 0;
    game.worldTextures[1] = keep(greyTexture({255, 255}));

    // Eye at the submarine, looking level along -z: the ceiling fills the upper part of the view.
    glLoadIdentity();
    glTranslatef(-400.0f, 0.0f, 400.0f);
    GLdouble camera[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, camera);
    drawWater(game);
    const cv::Mat picture = readBackBuffer();

    GLdouble afterwards[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, afterwards);
    for (int k = 0; k < 16; ++k)
        EXPECT_DOUBLE_EQ(afterwards[k], camera[k]) << k;
    EXPECT_EQ(game.wavePhase, 1);

    const cv::Scalar top = meanColour(picture, {width / 4, height / 20, width / 2, height / 5});
    EXPECT_GT(top[0], 200.0) << "the water is blue";
    EXPECT_LT(top[1], 30.0);
    EXPECT_LT(top[2], 30.0);
    const cv::Scalar bottom = meanColour(picture, {width / 4, height * 6 / 10, width / 2, height / 3});
    EXPECT_LT(bottom[0] + bottom[1] + bottom[2], 15.0) << "nothing below the horizon";

    // After phases 0 and 1 every cell of the window has moved its corner (i + 1, j), even ones to the dip,
    // odd ones to the rest; all other points keep the marker.
    drawWater(game);
    EXPECT_EQ(game.wavePhase, 2);
    int wrong = 0;
    for (int i = 50; i <= 151; ++i) {
        for (int j = 50; j <= 151; ++j) {
            const bool corner = i >= 61 && i <= 140 && j >= 60 && j <= 139;
            const float want = !corner ? kMarker : ((i - 1 + j) % 2 == 0 ? 19.8f : 20.0f);
            if (terrainGrid[i][j].water != want && ++wrong <= 5)
                ADD_FAILURE() << "point (" << i << ", " << j << ") holds " << terrainGrid[i][j].water
                              << ", want " << want;
        }
    }
    EXPECT_EQ(wrong, 0);
}
