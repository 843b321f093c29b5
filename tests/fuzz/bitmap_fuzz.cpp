// libFuzzer target for the depth-map reader. Run with -write_seeds=DIR first to get a starting corpus:
// the binary writes one small valid file per depth and exits.
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

std::vector<uint8_t> makeBmp(int32_t width, int32_t height, uint16_t bits,
                             const std::vector<uint8_t>& pixels) {
    const uint32_t paletteBytes = bits == 24 ? 0 : 4u << bits;
    const uint32_t offset = 54 + paletteBytes;
    std::vector<uint8_t> out(offset, 0);
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, offset + static_cast<uint32_t>(pixels.size()), 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, bits, 2);
    put(34, static_cast<uint32_t>(pixels.size()), 4);
    for (uint32_t entry = 0; entry < paletteBytes / 4; ++entry)
        put(54 + entry * 4, entry * 0x010203u, 3);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

void writeSeeds(const std::string& dir) {
    struct Seed {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Seed seeds[] = {
        {"depth1.bmp", makeBmp(10, 2, 1, {0x80, 0xC0, 0x5A, 0xFF})},
        {"depth4.bmp", makeBmp(3, 2, 4, {0x3A, 0x50, 0x12, 0xF0})},
        {"depth8.bmp", makeBmp(4, 2, 8, {5, 0, 255, 17, 1, 2, 3, 4})},
        {"depth24.bmp", makeBmp(2, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
        {"topdown24.bmp", makeBmp(2, -2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
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
