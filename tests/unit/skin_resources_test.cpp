#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "skin_art.h"

namespace {

std::vector<std::uint8_t> committed(const char* name) {
    std::ifstream in(std::string(ZAV_RESOURCES_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<unsigned>(b[at + 3]) << 24));
}

TEST(SkinResources, CommittedFilesAreWhatTheGeneratorDraws) {
    EXPECT_EQ(committed("skin.bmp"), skin::skinPicture().toBmpBytes()) << "run build/native/skin_generator";
    EXPECT_EQ(committed("mask2.bin"), skin::mask2Payload());
    EXPECT_EQ(committed("status_patch.bmp"), skin::statusPatch().toBmpBytes());
    EXPECT_EQ(committed("zav_amp.ico"), skin::trayIcon());
}

TEST(SkinResources, SkinPictureIsA169By312TwentyFourBitBitmap) {
    const auto bytes = committed("skin.bmp");
    EXPECT_EQ(bytes.size(), 158550u);
    const fw::Bitmap skin = fw::Bitmap::fromBmpBytes(bytes);
    EXPECT_EQ(skin.width(), 169);
    EXPECT_EQ(skin.height(), 312);
}

TEST(SkinResources, OutlineIsBandedAndCoversExactlyTheOpaquePixels) {
    const auto payload = committed("mask2.bin");
    const auto length = static_cast<std::size_t>(word(payload, 0));
    ASSERT_EQ(payload.size(), length + 4);
    EXPECT_EQ(word(payload, 4), 32);
    EXPECT_EQ(word(payload, 8), 1);
    const std::int32_t n = word(payload, 12);
    EXPECT_EQ(word(payload, 16), 16 * n);
    EXPECT_EQ(length, 32u + 16u * static_cast<std::size_t>(n));
    EXPECT_EQ((std::vector<std::int32_t>{word(payload, 20), word(payload, 24), word(payload, 28), word(payload, 32)}),
              (std::vector<std::int32_t>{3, 2, 163, 307}));
    EXPECT_EQ(n, 138);
    std::map<int, int> perBand;
    for (std::int32_t i = 0; i < n; ++i) ++perBand[word(payload, 36 + 16 * static_cast<std::size_t>(i) + 4)];
    EXPECT_EQ(perBand.size(), 55u);
    for (const auto& [top, count] : perBand) {
        const bool grille = top >= 111 && top <= 117;
        EXPECT_TRUE(grille ? count >= 2 && count <= 19 : count == 1) << "band at " << top << ": " << count;
    }
    std::vector<std::vector<bool>> covered(312, std::vector<bool>(169, false));
    int lastTop = -1, lastLeft = -1;
    for (std::int32_t i = 0; i < n; ++i) {
        const std::size_t at = 36 + 16 * static_cast<std::size_t>(i);
        const int l = word(payload, at), t = word(payload, at + 4), r = word(payload, at + 8), b = word(payload, at + 12);
        ASSERT_TRUE(t > lastTop || (t == lastTop && l > lastLeft)) << "banded order at rectangle " << i;
        lastTop = t;
        lastLeft = l;
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x) {
                ASSERT_FALSE(covered[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) << "overlap";
                covered[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = true;
            }
    }
    for (int y = 0; y < 312; ++y)
        for (int x = 0; x < 169; ++x) ASSERT_EQ(covered[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)], skin::opaque(x, y)) << x << "," << y;
}

struct Place {
    const char* name;
    int left, top, width, height;
};

// Every key and every indicator lies inside the window's shape, and each
// status patch covers something that differs from the display's silver.
TEST(SkinResources, KeysAndIndicatorsLieOnTheSkin) {
    const Place keys[] = {{"CBClose", 131, 17, 10, 10}, {"CBTrayBar", 121, 17, 10, 10}, {"CBStop", 83, 190, 25, 17},
                          {"CBPlay", 20, 190, 25, 17},  {"CBStart", 115, 107, 25, 17},   {"CoolButtonShow", 144, 24, 9, 9},
                          {"CB3", 116, 228, 27, 17},    {"CBAnulare", 116, 264, 27, 17}, {"CB8", 20, 264, 27, 17}};
    for (const Place& k : keys)
        for (int y = k.top; y < k.top + k.height; ++y)
            for (int x = k.left; x < k.left + k.width; ++x) ASSERT_TRUE(skin::opaque(x, y)) << k.name;
    const fw::Bitmap skin = skin::skinPicture();
    const Place patches[] = {{"IPlay", 19, 57, 12, 8},      {"IPause", 19, 65, 12, 9},     {"IStop", 19, 73, 12, 9},
                             {"IRepeat", 82, 42, 12, 9},    {"INonRepeat", 82, 50, 12, 5}, {"INonAleator", 95, 42, 12, 8},
                             {"IAleator", 95, 49, 12, 9},   {"IWOn", 109, 40, 17, 17},     {"IMute", 126, 40, 19, 17},
                             {"IIR", 21, 40, 12, 17}};
    for (const Place& p : patches) {
        int marks = 0;
        for (int y = p.top; y < p.top + p.height; ++y)
            for (int x = p.left; x < p.left + p.width; ++x) marks += skin.pixel(x, y) != fw::colors::silver;
        EXPECT_GT(marks, 3) << p.name << " covers no indicator";
    }
}

}  // namespace
