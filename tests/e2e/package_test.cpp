// The Debian package as a player gets it: made by CPack from this build, holding everything the game reads,
// unpacked into a scratch root and started through its launcher from an unrelated folder.
#include "core/Sounds.h"
#include "support/GameProcess.h"
#include "support/TempFolder.h"
#include "support/Xvfb.h"
#include "world/DepthMap.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(Package, HoldsWhatTheGameReadsAndItsLauncherRunsItFromAnyFolder) {
    const TempFolder folder("package");
    const std::string in = "cd " + folder.path().string() + " && ", deb = "out/zarnowell_*.deb ";
    const std::string cpack = "cd " ZARNOWELL_BUILD_DIR " && cpack -G DEB -B " + folder.file("out") + " > " +
                              folder.file("cpack.log") + " 2>&1 && " + in + "dpkg-deb -x " + deb + "root";
    ASSERT_EQ(std::system(cpack.c_str()), 0)
        << "no zarnowell_<version>_<arch>.deb: " << folder.file("cpack.log");

    const fs::path usr = folder.path() / "root/usr", data = usr / "share/zarnowell";
    std::vector<fs::path> expected{usr / "games/zarnowell", usr / "libexec/zarnowell/zarnowell",
                                   usr / "share/applications/zarnowell.desktop", data / kDepthMapPath};
    for (const char* size : {"48x48", "128x128", "256x256"})
        expected.push_back(usr / "share/icons/hicolor" / size / "apps/zarnowell.png");
    for (const char* sound : kSoundFiles)
        expected.push_back(data / "Sounds" / sound);
    for (const fs::path& file : expected)
        EXPECT_TRUE(fs::is_regular_file(file)) << "the package lacks " << file;
    // dpkg-shlibdeps worked out what apt must bring along; every place that states the version states the
    // project's; the licence is Expat, in Debian's machine-readable form; Debian's and AppStream's checks
    // find nothing to warn about.
    const std::string v = ZARNOWELL_VERSION;
    for (const std::string& check : std::vector<std::string>{
             "dpkg-deb -f " + deb + "Depends | grep -q 'libglut.*libsdl2'",
             "dpkg-deb -f " + deb + "Version | grep -qx " + v,
             "root/usr/games/zarnowell --version | grep -qx 'zarnowell " + v + "'",
             "root/usr/games/zarnowell --help > help && grep -q '/usr/share/zarnowell$' help",
             "zcat root/usr/share/man/man6/zarnowell.6.gz | grep -q '^.TH .*\"zarnowell " + v + "\"'",
             "zcat root/usr/share/doc/zarnowell/changelog.gz | head -1 | grep -qF '(" + v + ")'",
             "grep -q '<release version=\"" + v + "\"' root/usr/share/metainfo/*.metainfo.xml",
             "grep -qx 'License: Expat' root/usr/share/doc/zarnowell/copyright",
             "appstreamcli validate-tree --no-net --strict root >&2 && lintian --fail-on error,warning " +
                 deb + ">&2"})
        EXPECT_EQ(std::system((in + "unset DISPLAY && " + check).c_str()), 0) << check;

    // The launcher starts the game in its data folder, whatever folder it is called from, keeps the game's
    // exit status, and leaves the data as it found it.
    const std::string listData = in + "find root/usr/share/zarnowell -printf '%p %s\\n' | sort > ";
    ASSERT_EQ(std::system((listData + "before").c_str()), 0);
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
    EXPECT_EQ(std::system((listData + "after && cmp -s before after").c_str()), 0)
        << "the game wrote into its data folder";
    fs::remove(data / kDepthMapPath);
    GameProcess broken({"SDL_AUDIODRIVER=dummy"}, "/", (usr / "games/zarnowell").string());
    EXPECT_EQ(broken.waitForExit(30s), 1) << "the launcher lost the game's exit status\n" << broken.errors();
    EXPECT_EQ(broken.errors(),
              "Depth map Texturen/valleyDepth.bmp cannot be opened; cannot build the valley\n");
}
