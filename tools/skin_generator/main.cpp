// Writes the remote's pictures into a folder (src/resources by default):
// skin.bmp, mask2.bin, status_patch.bmp and zav_amp.ico, and prints the
// outline's figures.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "skin_art.h"

namespace {

void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::int32_t word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<unsigned>(b[at + 3]) << 24));
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = argc > 1 ? argv[1] : "src/resources";
    std::filesystem::create_directories(dir);
    write(dir / "skin.bmp", skin::skinPicture().toBmpBytes());
    const auto mask = skin::mask2Payload();
    write(dir / "mask2.bin", mask);
    write(dir / "status_patch.bmp", skin::statusPatch().toBmpBytes());
    write(dir / "zav_amp.ico", skin::trayIcon());

    const std::int32_t count = word(mask, 12);
    int bands = 0, lastTop = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        const int top = word(mask, 36 + 16 * static_cast<std::size_t>(i) + 4);
        if (top != lastTop) ++bands;
        lastTop = top;
    }
    std::printf("mask2.bin: %zu bytes, %d rectangles in %d bands, bounds (%d, %d, %d, %d)\n", mask.size(), count,
                bands, word(mask, 20), word(mask, 24), word(mask, 28), word(mask, 32));
    std::printf("first rectangle (%d, %d, %d, %d), last (%d, %d, %d, %d)\n", word(mask, 36), word(mask, 40),
                word(mask, 44), word(mask, 48), word(mask, mask.size() - 16), word(mask, mask.size() - 12),
                word(mask, mask.size() - 8), word(mask, mask.size() - 4));
    return 0;
}
