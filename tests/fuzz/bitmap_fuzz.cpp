// libFuzzer target for the depth-map reader. Run with -write_seeds=DIR first to get a starting corpus:
// the binary writes one small valid file per depth and exits.
#include "support/Bitmaps.h"
#include "world/BitmapReader.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size)).flush())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static const char flag[] = "-write_seeds=";
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp((*argv)[i], flag, sizeof flag - 1) != 0)
            continue;
        const std::vector<uint8_t> pixels{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        const BmpFile seeds[] = {palettedBmp(1, 10, 2, {0x80, 0xC0, 0x5A, 0xFF}),
                                 palettedBmp(4, 3, 2, {0x3A, 0x50, 0x12, 0xF0}),
                                 palettedBmp(8, 4, 2, {5, 0, 255, 17, 1, 2, 3, 4}),
                                 {.width = 2, .height = 2, .pixels = pixels},
                                 {.width = 2, .height = -2, .pixels = pixels}};
        for (size_t k = 0; k < std::size(seeds); ++k) {
            const std::vector<uint8_t> bytes = seeds[k].bytes();
            writeFile((*argv)[i] + (sizeof flag - 1) + ("/seed" + std::to_string(k) + ".bmp"), bytes.data(),
                      bytes.size());
        }
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader wants a path; an in-memory file per process keeps parallel jobs apart and spares the disk.
    static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("bitmap_fuzz", 0));
    writeFile(path, data, size);
    BitmapImage image;
    const char result = loadBitmap(path, image);
    // Refused before the header is read: the image is left alone.
    const bool early = result == bitmap_result::cannotOpen || result == bitmap_result::notBitmap;
    if ((early && (image.pixels || image.width != 0 || image.height != 0)) ||
        (result == bitmap_result::ok && !image.pixels))
        __builtin_trap();
    if (image.pixels) {
        // Whatever the result, a buffer that was handed over must be as large as the size it claims.
        if (image.width <= 0 || image.height <= 0 || image.width > kMaxBitmapBytes / 3 / image.height)
            __builtin_trap();
        volatile uint8_t last =
            image.pixels[static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3 - 1];
        (void)last;
    }
    return 0;
}
