#include "support/GameProcess.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace std::chrono_literals;

TEST(WorldOutput, StandardOutputIsTheProgressThenTheControlsByteForByte) {
    XvfbServer screen(1024, 768);
    GameProcess game({"SDL_AUDIODRIVER=dummy"});
    ASSERT_TRUE(game.waitForLine("Mit T Taste Torpedo abschiessen", 60s)) << game.errors();
    const std::string expected =
        "Initialisiere ...\n"
        "\tTerrain ... \tWasser ...fertig\n"
        "fertig\n"
        "\tLicht ... fertig\n"
        "\tTexturen ... \n"
        "\t\tLade Umgebungstexturen ...fertig\n"
        "\t\tLade HUD-Texturen ...fertig\n"
        "\t\tLade Caustic-Texturen ...fertig\n"
        "Initialisierung abgeschlossen\n"
        "\n"
        "Schiessen mit der linken Maustaste \n"
        "Bewegung in x und z Richtung mit WASD\n"
        "Bewegung in y Richtung mit Q und E\n"
        "Mit rechter Maustaste FREELOOK an-/ausschalten\n"
        "Mit B Taste Beamen starten, falls man sich in der Naehe einer Stadt befindet\n"
        "Mit T Taste Torpedo abschiessen\n";
    EXPECT_EQ(game.output(), expected);
    xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(5s), 0);
}

TEST(WorldOutput, AMissingDepthMapEndsTheGameWithOneClearLine) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("zarnowell-nomap-" + std::to_string(::getpid()));
    fs::create_directories(dir / "Texturen");
    XvfbServer screen(800, 600);
    GameProcess game({"SDL_AUDIODRIVER=dummy"}, dir.string());
    const auto status = game.waitForExit(30s);
    ASSERT_TRUE(status) << "the game should end by itself";
    EXPECT_EQ(*status, 1);
    const std::string& errors = game.errors();
    EXPECT_NE(errors.find("Texturen/valleyDepth.bmp"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    fs::remove_all(dir);
}
