// assetgen <output folder>: writes Texturen/ and Sounds/ for the game, and icons/ for desktop menus, the same
// bytes on every run.
#include "tools/assetgen/AssetList.h"
#include "tools/assetgen/Icon.h"
#include "tools/assetgen/Relief.h"
#include "tools/assetgen/Sounds.h"
#include "tools/assetgen/Textures.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

using namespace assetgen;
namespace fs = std::filesystem;

namespace {

using Painter = std::function<Image(int width, int height)>;

// For pictures laid out in pixels: painted at their own size, fitted to the table's when written.
Painter ownSize(std::function<Image()> paint) {
    return [paint = std::move(paint)](int, int) { return paint(); };
}

std::map<std::string, Painter> painters(const Relief& relief) {
    std::map<std::string, Painter> p;
    p["valleyTex.bmp"] = paintSeabed;
    p["wasser.bmp"] = paintWaterSurface;
    const std::pair<const char*, SkyFace> sky[] = {
        {"sky_oben.bmp", SkyFace::Top},     {"sky_links.bmp", SkyFace::Left},
        {"sky_rechts.bmp", SkyFace::Right}, {"sky_vorne.bmp", SkyFace::Front},
        {"sky_hinten.bmp", SkyFace::Back},  {"sky_unten.bmp", SkyFace::Bottom}};
    for (const auto& [name, face] : sky)
        p[name] = [face](int width, int height) { return paintSky(face, width, height); };
    for (int i = 0; i < kCausticFrames; ++i)
        p[kCausticTextureFiles[static_cast<size_t>(i)].name] = [i](int width, int height) {
            return paintCausticFrame(i, width, height);
        };
    p["chtiles.bmp"] = paintCheckerTiles;
    p["floor_bw.bmp"] = paintBlackWhiteFloor;

    p["luftblase1.bmp"] = ownSize(paintBubble);
    for (int i = 0; i < kSosFrames; ++i)
        p[kSceneTextureFiles[static_cast<size_t>(kFirstSosTexture + i)].name] =
            ownSize([i] { return paintSosFrame(i); });
    for (int i = 1; i <= 6; ++i)
        p["hausfassade" + std::to_string(i) + ".bmp"] = ownSize([i] { return paintFacade(i); });
    p["muzzle1.bmp"] = ownSize(paintMuzzleFlash);
    for (int i = 1; i <= kHealthFrames; ++i)
        p["health" + std::to_string(i) + ".bmp"] = ownSize([i] { return paintHealthBar(i); });
    p["leiste2.bmp"] = ownSize(paintSideBar);
    p["leiste2_mask.bmp"] = ownSize(paintSideBarMask);
    p["minigun_temp.bmp"] = ownSize(paintHeatGradient);
    p["leiste.bmp"] = ownSize(paintBottomBar);
    p["leiste_mask.bmp"] = ownSize(paintBottomBarMask);
    p["health_mask.bmp"] = ownSize(paintHealthMask);
    p["crosshair1.bmp"] = ownSize(paintCrosshair);
    p["crosshair1_mask.bmp"] = ownSize(paintCrosshairMask);
    p["Mensch_rot.bmp"] = ownSize([] { return paintPerson(PersonState::OutOfReach); });
    p[kPersonGreen] = ownSize([] { return paintPerson(PersonState::InReach); });
    p["Mensch_beam.bmp"] = ownSize([] { return paintPerson(PersonState::Beaming); });
    p["valleyDepth_radar2.bmp"] = ownSize([&relief] { return paintRadarMap(relief); });
    p["Zeiger.bmp"] = ownSize(paintPointer);
    p["valleyDepth_radar2_mask.bmp"] = ownSize([&relief] { return paintRadarMask(relief); });
    return p;
}

// The table is the one word on a picture's size, whatever size its painter works at.
void writeTexture(const fs::path& folder, const TextureAsset& file, const Painter& paint) {
    const Image picture = resampled(paint(file.width, file.height), file.width, file.height);
    writeBmp24((folder / file.name).string(), picture, file.layout);
    if (file.name == kPersonGreen)
        writeBmp24((folder / kPersonGreenUtf8).string(), picture, file.layout);
}

constexpr std::pair<Sound, std::vector<float> (*)()> kSynths[] = {
    {Sound::GunShot, synthGunShot},
    {Sound::EnemyBurst, synthEnemyBurst},
    {Sound::TorpedoLaunch, synthTorpedoLaunch},
    {Sound::GreatExplosion, synthGreatExplosion},
    {Sound::Explosion, synthExplosion}};
static_assert(std::size(kSynths) == kSoundFiles.size(), "a sound the game plays has no synthesiser");

// Runs every job once on all cores and passes on the first failure. Each job writes its own file, so the
// bytes do not depend on which thread ran it.
void runAll(const std::vector<std::function<void()>>& jobs) {
    std::atomic<size_t> next = 0;
    std::mutex failureLock;
    std::exception_ptr failure;
    auto work = [&] {
        for (size_t i; (i = next++) < jobs.size();) {
            try {
                jobs[i]();
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned k = 1; k < std::max(1u, std::thread::hardware_concurrency()); ++k)
            helpers.emplace_back(work);
        work();
    }
    if (failure)
        std::rethrow_exception(failure);
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

        const Relief relief = makeRelief();
        const auto paint = painters(relief);
        std::vector<std::function<void()>> jobs;
        jobs.push_back([&] {
            writeBmpGrey8((textures / kDepthMapFile).string(), kReliefColumns, kReliefRows,
                          reliefSamples(relief));
        });
        for (const auto& [sound, synth] : kSynths)
            jobs.push_back([&sounds, sound, synth] {
                writeWav((sounds / soundFile(sound)).string(), synth(), kSampleRate, 0.89f);
            });
        for (const TextureAsset& file : textureAssets()) {
            const auto painter = paint.find(file.name);
            if (painter == paint.end())
                throw std::runtime_error("nothing paints " + file.name);
            jobs.push_back(
                [&textures, file, &paint = painter->second] { writeTexture(textures, file, paint); });
        }
        for (const int size : kIconSizes)
            jobs.push_back([out = fs::path(argv[1]), size] {
                const std::string edge = std::to_string(size);
                const fs::path folder = out / "icons/hicolor" / (edge + "x" + edge) / "apps";
                fs::create_directories(folder);
                writeIconPng((folder / "zarnowell.png").string(), paintIcon(size));
            });
        runAll(jobs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
