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

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))
             .flush())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static const char flag[] = "-write_seeds=";
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp((*argv)[i], flag, sizeof flag - 1) != 0)
            continue;
        // clang-format off
        const BmpFile seeds[] = {
            palettedBmp(1, 10, 2, {0x80, 0xC0, 0x5A, 0xFF}), palettedBmp(4, 3, 2, {0x3A, 0x50, 0x12, 0xF0}),
            palettedBmp(8, 4, -2, {5, 0, 255, 17, 1, 2, 3, 4}),
            {.width = 2, .height = 2, .pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}};
        // clang-format on
        for (size_t k = 0; k < std::size(seeds); ++k)
            writeFile((*argv)[i] + (sizeof flag - 1) + ("/seed" + std::to_string(k) + ".bmp"),
                      seeds[k].bytes());
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader wants a path; an in-memory file per process keeps parallel jobs apart and spares the disk.
    static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("bitmap_fuzz", 0));
    writeFile(path, {data, data + size});
    BitmapImage image;
    loadBitmap(path, image);
    // Whatever the result, a buffer handed over is as large as the size it claims.
    if (image.pixels) {
        if (image.width <= 0 || image.height <= 0 || image.width > kMaxBitmapBytes / 3 / image.height)
            __builtin_trap();
        volatile uint8_t last =
            image.pixels[static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3 - 1];
        (void)last;
    }
    return 0;
}
