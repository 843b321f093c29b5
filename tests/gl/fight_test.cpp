#include "app/Hud.h"
#include "core/Gl.h"
#include "core/SphereGl.h"
#include "support/Fleet.h"
#include "support/GlTest.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Shapes, crafts and particles a few units ahead over the clear colour, the instruments left out.
class Fight : public GlScene {
protected:
    Fight() { game.drawHud = false; }
    static bool reddish(const cv::Scalar& bgr) { return bgr[2] > bgr[0] + 40; }
};

constexpr Colour kRed{1.0f, 0.0f, 0.0f, 1.0f};

} // namespace

TEST_F(Fight, ShapesShowOnceWhereTheTurnedCameraLooksAndTextsUntilCleared) {
    // Turned a quarter left, the camera looks along -x with -z on its right; the heading does not turn it.
    game.playerPos = {100.0, 5000.0, -50.0};
    game.aimHeading = 90.0f;
    game.heading = -40.0f;
    game.effects.addSphere({90.0f, 5000.0f, -50.0f}, 1.0f, 12, kRed, false);                    // ahead
    game.effects.addLine({90.0f, 5003.0f, -47.0f}, {90.0f, 5003.0f, -53.0f}, kRed, 20.0f);      // above
    game.effects.addSphere({90.0f, 4997.0f, -47.0f}, 1.0f, 12, {1.0f, 1.0f, 0.0f, 0.5f}, true); // below left
    game.effects.showText("Stadt evakuiiert: Bonn", -0.9f, 0.6f, {1.0f, 1.0f, 1.0f, 1.0f});
    const cv::Rect centre(380, 280, 40, 40), lineLeft(150, 78, 80, 10), lineRight(570, 78, 80, 10);
    const cv::Rect glow(163, 497, 40, 40), text(30, 100, 300, 30), empty(600, 380, 100, 100);
    const cv::Mat first = renderFrame(game);
    EXPECT_TRUE(reddish(meanColour(first, centre))) << "no ball straight ahead";
    EXPECT_TRUE(reddish(meanColour(first, lineLeft)) && reddish(meanColour(first, lineRight))) << "no line";
    const cv::Scalar added = meanColour(first, glow);
    EXPECT_GT(added[1], kClearColour[1] + 60) << "no yellow glow";
    EXPECT_GE(added[0], kClearColour[0] - 2) << "the glow must add to what lies behind, not cover it";
    const int textPixels = pixelsNear(first, text, cv::Scalar::all(227), 28);
    EXPECT_GT(textPixels, 50);

    const cv::Mat second = renderFrame(game);
    for (const cv::Rect& shape : {centre, lineLeft, lineRight, glow, empty})
        EXPECT_EQ(pixelsNear(second, shape, kClearColour, 3), shape.area())
            << "not the deep water: " << shape;
    EXPECT_EQ(pixelsNear(second, text, cv::Scalar::all(227), 28), textPixels)
        << "the text must stay until it is cleared";
    game.effects.clearTexts();
    EXPECT_EQ(pixelsNear(renderFrame(game), text, cv::Scalar::all(227), 28), 0);
}

// Crafts, one with a trail and a bullet, a wreck exploding, the submarine's bubbles, a tracer and a torpedo.
// What glows adds its light to the water and hides nothing drawn after it: an opaque ball behind it all,
// drawn last, still shows whole.
TEST_F(Fight, AFightShowsWhereItIsAndItsGlowHidesNothingDrawnAfterIt) {
    const auto withBackdrop = [&] {
        game.effects.addSphere({0.0f, 5000.0f, -40.0f}, 10.0f, 30, {1.0f, 0.0f, 1.0f, 1.0f}, false);
        return renderFrame(game);
    };
    const cv::Mat empty = renderFrame(game), backdrop = withBackdrop();
    for (int k = 0; k < 40; ++k)
        game.playerBubbles.update(-1.0f, 4999.6f, -10.0f);
    game.weaponSystem.tracers.emplace_back(Vec3{0.8f, 5000.8f, -10.0f}, 0.0f, 0.0f);
    quietly([&] {
        game.weaponSystem.runningTorpedoes.emplace_back(Vec3{0.8f, 4999.2f, -10.0f}, 0.0f, 0.0f);
    });
    placeEnemy(game, 3.0f, 5000.0f, -8.0f);
    Enemy& craft = placeEnemy(game, -3.0f, 5000.0f, -8.0f);
    for (int k = 0; k < 40; ++k)
        craft.emitter.update(-3.0f, 5000.0f, -8.0f);
    craft.bullets.emplace_back(Vec3{0.0f, 4999.0f, -8.0f}, Vec3{});
    Enemy& wreck = placeEnemy(game, 0.0f, 5000.0f, -15.0f);
    wreck.health = 0;
    for (int k = 0; k < 10; ++k)
        wreck.update(0.0f, 5000.0f, 0.0f, game.effects);
    const cv::Mat glowing = renderFrame(game);

    EXPECT_TRUE(reddish(meanColour(glowing, {120, 292, 16, 16})) &&
                reddish(meanColour(glowing, {664, 292, 16, 16})))
        << "no red crafts at the sides";
    const std::pair<const char*, cv::Rect> places[] = {
        {"bubbles", {310, 240, 40, 60}}, {"trail", {100, 190, 56, 56}},  {"tracer", {448, 232, 20, 20}},
        {"torpedo", {448, 348, 20, 20}}, {"bullet", {395, 385, 10, 10}}, {"core", {390, 290, 20, 20}}};
    for (const auto& [name, where] : places) {
        EXPECT_GT(changed(empty, glowing, where), where.area() / 10) << "no " << name;
        EXPECT_GE(meanColour(glowing, where)[0], kClearColour[0] - 1) << name << " covers the water";
    }
    EXPECT_EQ(changed(empty, glowing, {500, 350, 10, 16}), 0) << "the torpedo is a ball of 0.35 ahead";
    EXPECT_EQ(changed(backdrop, withBackdrop(), {280, 180, 240, 240}), 0)
        << "something hid the ball behind it";

    // Each craft's trail has a texture of its own, not the submarine's, deleted by the frame after the craft
    // is dropped.
    const unsigned int own = game.enemyFleet.enemies[0].bubbleTexture;
    EXPECT_NE(own, game.enemyFleet.enemies[1].bubbleTexture);
    EXPECT_NE(own, game.sceneTextures[kBubbleTexture]);
    game.enemyFleet.enemies[0].position.z = -500.0f; // out of range: the next update drops it
    game.enemyFleet.update(0.0f, 5000.0f, 0.0f, game.effects);
    renderFrame(game);
    EXPECT_FALSE(glIsTexture(own)) << "the dropped craft's texture leaked";
}

TEST_F(Fight, AnExplosionsCoreBurnsFromYellowToAFadingRed) {
    const cv::Rect core(397, 297, 6, 6); // inside even the first, smallest core
    const cv::Scalar bg = meanColour(renderFrame(game), core);
    Enemy& wreck = placeEnemy(game, 0.0f, 5000.0f, -10.0f);
    wreck.health = 0;
    wreck.update(0.0f, 5000.0f, 0.0f, game.effects);
    wreck.explosion.particles.clear(); // the sparks would fly through the core
    std::vector<cv::Scalar> seen;
    for (int n = 0; n <= 40; ++n, wreck.update(0.0f, 5000.0f, 0.0f, game.effects))
        if (n % 10 == 0)
            seen.push_back(meanColour(renderFrame(game), core) - bg);
    EXPECT_GT(seen[0][2], 150) << "a bright yellow core at the start: " << seen[0];
    EXPECT_GT(seen[0][1], 150) << seen[0];
    EXPECT_GT(seen[2][2], seen[2][1] + 30) << "red by the middle: " << seen[2];
    for (size_t k = 1; k < seen.size(); ++k)
        EXPECT_LT(seen[k][1] + seen[k][2], seen[k - 1][1] + seen[k - 1][2] - 5) << "update " << 10 * k;
    EXPECT_NEAR(seen.back()[1] + seen.back()[2], 0.0, 3.0) << "faded out after forty updates";
}

namespace {

struct SphereScene {
    bool fromMesh = false;
    float radius = 0.0f;
    int detail = 0;
} sphereScene;

// One lit, tilted sphere 3 units ahead, by glut or from its mesh.
void drawSphereScene(Game& game) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    usePerspective();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT);
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_2D);
    glColor3d(1.0, 0.05, 0.05);
    glTranslatef(0.3f, -0.2f, -3.0f);
    glRotatef(35.0f, 1.0f, 1.0f, 0.0f);
    const auto& [fromMesh, radius, detail] = sphereScene;
    if (fromMesh)
        drawSphereMesh(sphereMesh(radius, detail, detail));
    else
        glutSolidSphere(radius, detail, detail);
    glPopAttrib();
    game.swapBuffers();
}

} // namespace

// Spheres drawn from their meshes are glut's to the pixel.
TEST_F(Fight, SphereMeshesAreGlutsSpheres) {
    for (const auto& [radius, detail] : {std::pair{0.6f, 30}, std::pair{0.8f, 5}}) {
        SCOPED_TRACE(testing::Message() << radius << " " << detail);
        sphereScene = {false, radius, detail};
        const cv::Mat glut = renderFrame(game, drawSphereScene);
        sphereScene.fromMesh = true;
        EXPECT_GT(changed(glut, cv::Mat(600, 800, CV_8UC3, kClearColour), {0, 0, 800, 600}), 1000);
        EXPECT_EQ(changed(glut, renderFrame(game, drawSphereScene), {0, 0, 800, 600}, 0), 0);
    }
}

// A craft the near plane cuts open shows its red inside, not a hole into the water behind it.
TEST_F(Fight, ACraftCutOpenByTheNearPlaneShowsItsInside) {
    placeEnemy(game, 0.0f, 5000.0f, -1.2f);
    EXPECT_TRUE(reddish(meanColour(renderFrame(game), {380, 280, 40, 40})));
}
