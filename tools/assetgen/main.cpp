// assetgen <output folder>: writes Texturen/ and Sounds/ for the game, the same bytes on every run.
#include "tools/assetgen/AssetList.h"
#include "tools/assetgen/Relief.h"
#include "tools/assetgen/Sounds.h"
#include "tools/assetgen/Textures.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

using namespace assetgen;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::function<Image()>> painters(const Relief& relief,
                                                       const std::vector<Image>& caustics) {
    std::map<std::string, std::function<Image()>> p;
    p["valleyTex.bmp"] = paintSeabed;
    p["wasser.bmp"] = paintWaterSurface;
    const std::pair<const char*, SkyFace> sky[] = {
        {"sky_oben.bmp", SkyFace::Top},     {"sky_links.bmp", SkyFace::Left},
        {"sky_rechts.bmp", SkyFace::Right}, {"sky_vorne.bmp", SkyFace::Front},
        {"sky_hinten.bmp", SkyFace::Back},  {"sky_unten.bmp", SkyFace::Bottom}};
    for (const auto& [name, face] : sky)
        p[name] = [face] { return paintSky(face); };
    p["luftblase1.bmp"] = paintBubble;
    p["chtiles.bmp"] = paintCheckerTiles;
    for (int i = 0; i < 4; ++i)
        p["SOS" + std::to_string(i) + ".bmp"] = [i] { return paintSosFrame(i); };
    for (int i = 1; i <= 6; ++i)
        p["hausfassade" + std::to_string(i) + ".bmp"] = [i] { return paintFacade(i); };
    p["muzzle1.bmp"] = paintMuzzleFlash;
    p["floor_bw.bmp"] = paintBlackWhiteFloor;
    for (int i = 1; i <= kHealthFrames; ++i)
        p["health" + std::to_string(i) + ".bmp"] = [i] { return paintHealthBar(i); };
    p["leiste2.bmp"] = paintSideBar;
    p["leiste2_mask.bmp"] = paintSideBarMask;
    p["minigun_temp.bmp"] = paintHeatGradient;
    p["leiste.bmp"] = paintBottomBar;
    p["leiste_mask.bmp"] = paintBottomBarMask;
    p["health_mask.bmp"] = paintHealthMask;
    p["crosshair1.bmp"] = paintCrosshair;
    p["crosshair1_mask.bmp"] = paintCrosshairMask;
    p["Mensch_rot.bmp"] = [] { return paintPerson(PersonState::OutOfReach); };
    p[kPersonGreen] = [] { return paintPerson(PersonState::InReach); };
    p["Mensch_beam.bmp"] = [] { return paintPerson(PersonState::Beaming); };
    p["valleyDepth_radar2.bmp"] = [&relief] { return paintRadarMap(relief); };
    p["Zeiger.bmp"] = paintPointer;
    p["valleyDepth_radar2_mask.bmp"] = [&relief] { return paintRadarMask(relief); };
    for (int i = 0; i < kCausticFrames; ++i)
        p[std::string(i < 10 ? "caust0" : "caust") + std::to_string(i) + ".bmp"] = [&caustics, i] {
            return caustics[static_cast<size_t>(i)];
        };
    return p;
}

void writeSounds(const fs::path& folder) {
    std::vector<float> (*const synths[])() = {synthGunShot, synthEnemyBurst, synthTorpedoLaunch,
                                              synthGreatExplosion, synthExplosion};
    for (size_t i = 0; i < std::size(kSoundFiles); ++i)
        writeWav((folder / kSoundFiles[i]).string(), synths[i](), kSampleRate, 0.89f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <output folder>\n");
        return 2;
    }
    try {
        const fs::path textures = fs::path(argv[1]) / "Texturen", sounds = fs::path(argv[1]) / "Sounds";
        fs::create_directories(textures);
        fs::create_directories(sounds);

        // The two slowest pieces run beside the rest; every file is still painted by exactly one thread.
        std::vector<Image> caustics;
        std::exception_ptr soundError;
        std::jthread causticThread([&caustics] { caustics = paintCaustics(); });
        std::jthread soundThread([&sounds, &soundError] {
            try {
                writeSounds(sounds);
            } catch (...) {
                soundError = std::current_exception();
            }
        });

        const Relief relief = makeRelief();
        writeBmpGrey8((textures / kDepthMapFile).string(), kReliefColumns, kReliefRows,
                      reliefSamples(relief));
        const auto paint = painters(relief, caustics);
        const std::vector<TextureAsset> files = textureAssets();
        for (const TextureAsset& file : files)
            if (file.name.rfind("caust", 0) != 0)
                writeBmp24((textures / file.name).string(), paint.at(file.name)(), file.layout);
        causticThread.join();
        soundThread.join();
        if (soundError)
            std::rethrow_exception(soundError);
        for (const TextureAsset& file : files)
            if (file.name.rfind("caust", 0) == 0)
                writeBmp24((textures / file.name).string(), paint.at(file.name)(), file.layout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
