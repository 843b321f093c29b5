// The Debian package as a player gets it: made by CPack from this build, holding everything the game reads,
// unpacked into a scratch root and started through its launcher from an unrelated folder.
#include "core/Sounds.h"
#include "support/GameProcess.h"
#include "support/TempFolder.h"
#include "support/Xvfb.h"
#include "world/DepthMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::map<std::string, uintmax_t> filesAndSizes(const fs::path& folder) {
    std::map<std::string, uintmax_t> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[entry.path().string()] = entry.is_regular_file() ? entry.file_size() : 0;
    return files;
}

} // namespace

TEST(Package, HoldsWhatTheGameReadsAndItsLauncherRunsItFromAnyFolder) {
    const TempFolder folder("package");
    const std::string cpack = "cd " ZARNOWELL_BUILD_DIR " && cpack -G DEB -B " + folder.file("out") + " > " +
                              folder.file("cpack.log") + " 2>&1";
    ASSERT_EQ(std::system(cpack.c_str()), 0) << "cpack failed: " << folder.file("cpack.log");
    fs::path deb;
    for (const auto& entry : fs::directory_iterator(folder.path() / "out"))
        if (entry.path().filename().string().starts_with("zarnowell_") && entry.path().extension() == ".deb")
            deb = entry.path();
    ASSERT_FALSE(deb.empty()) << "no zarnowell_<version>_<arch>.deb";
    ASSERT_EQ(std::system(("dpkg-deb -x " + deb.string() + " " + folder.file("root")).c_str()), 0);
    // dpkg-shlibdeps worked out what apt must bring along.
    EXPECT_EQ(std::system(("dpkg-deb -f " + deb.string() + " Depends | grep -q 'libglut.*libsdl2'").c_str()),
              0);

    const fs::path usr = folder.path() / "root/usr", data = usr / "share/zarnowell";
    std::vector<fs::path> expected{usr / "games/zarnowell",
                                   usr / "libexec/zarnowell/zarnowell",
                                   usr / "share/applications/zarnowell.desktop",
                                   usr / "share/doc/zarnowell/copyright",
                                   usr / "share/doc/zarnowell/changelog.gz",
                                   data / kDepthMapPath};
    for (const char* size : {"48x48", "128x128", "256x256"})
        expected.push_back(usr / "share/icons/hicolor" / size / "apps/zarnowell.png");
    for (const char* sound : kSoundFiles)
        expected.push_back(data / "Sounds" / sound);
    for (const fs::path& file : expected)
        EXPECT_TRUE(fs::is_regular_file(file)) << "the package lacks " << file;

    // The launcher starts the game in its data folder, whatever folder it is called from, keeps the game's
    // exit status, and leaves the data as it found it.
    const auto before = filesAndSizes(data);
    XvfbServer screen(800, 600);
    {
        GameProcess game({"SDL_AUDIODRIVER=dummy"}, folder.path().string(),
                         (usr / "games/zarnowell").string());
        ASSERT_TRUE(game.waitForLine("Mit T Taste Torpedo abschiessen", 60s))
            << "waiting for the control lines\n"
            << game.output() << game.errors();
        xdotool("key Escape");
        EXPECT_EQ(game.waitForExit(5s), 0) << game.errors();
        // The game names every picture of its table it cannot use; one is stored under its UTF-8 spelling.
        EXPECT_EQ(game.errors().find("Texture"), std::string::npos) << "a picture is missing\n"
                                                                    << game.errors();
    }
    EXPECT_EQ(filesAndSizes(data), before) << "the game wrote into its data folder";
    fs::remove(data / kDepthMapPath);
    GameProcess broken({"SDL_AUDIODRIVER=dummy"}, "/", (usr / "games/zarnowell").string());
    EXPECT_EQ(broken.waitForExit(30s), 1) << "the launcher lost the game's exit status\n" << broken.errors();
    EXPECT_EQ(broken.errors(),
              "Depth map Texturen/valleyDepth.bmp cannot be opened; cannot build the valley\n");
}
