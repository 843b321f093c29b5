// libFuzzer target for the depth-map reader. Run with -write_seeds=DIR first to get a starting corpus:
// the binary writes one small valid file per depth and exits.
#include "support/Bitmaps.h"
#include "world/BitmapReader.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void writeSeeds(const std::string& dir) {
    struct Seed {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Seed seeds[] = {
        {"depth1.bmp", palettedBmp(1, 10, 2, {0x80, 0xC0, 0x5A, 0xFF}).bytes()},
        {"depth4.bmp", palettedBmp(4, 3, 2, {0x3A, 0x50, 0x12, 0xF0}).bytes()},
        {"depth8.bmp", palettedBmp(8, 4, 2, {5, 0, 255, 17, 1, 2, 3, 4}).bytes()},
        {"depth24.bmp",
         BmpFile{.width = 2, .height = 2, .pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}.bytes()},
        {"topdown24.bmp",
         BmpFile{.width = 2, .height = -2, .pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}.bytes()},
    };
    for (const Seed& seed : seeds) {
        const std::string path = dir + "/" + seed.name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(seed.bytes.data(), 1, seed.bytes.size(), f) != seed.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
        std::fclose(f);
    }
}

// The reader wants a path; an in-memory file per process keeps parallel jobs apart and spares the disk.
std::string inputPath() {
    static const std::string path = [] {
        const int fd = memfd_create("bitmap_fuzz", 0);
        if (fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static const char flag[] = "-write_seeds=";
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp((*argv)[i], flag, sizeof flag - 1) == 0) {
            writeSeeds((*argv)[i] + sizeof flag - 1);
            std::exit(0);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = inputPath();
    std::FILE* f = std::fopen(path.c_str(), "wb"); // truncates the memory file
    if (!f || std::fwrite(data, 1, size, f) != size)
        std::abort();
    std::fclose(f);

    BitmapImage image;
    const char result = loadBitmap(path, image);
    if (result == bitmap_result::cannotOpen || result == bitmap_result::notBitmap) {
        if (image.pixels || image.width != 0 || image.height != 0)
            __builtin_trap(); // these two must leave the image alone
        return 0;
    }
    if (result == bitmap_result::ok && !image.pixels)
        __builtin_trap();
    if (image.pixels) {
        // Whatever the result, a buffer that was handed over must be as large as the size it claims.
        if (image.width <= 0 || image.height <= 0 || image.width > kMaxBitmapBytes / 3 / image.height)
            __builtin_trap();
        const int64_t bytes = static_cast<int64_t>(image.width) * image.height * 3;
        volatile uint8_t last = image.pixels[static_cast<size_t>(bytes) - 1];
        (void)last;
    }
    return 0;
}
