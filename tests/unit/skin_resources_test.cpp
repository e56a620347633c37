#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>

#include "app/zav_amp_design.h"
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

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Every key, read-out and indicator of the main window's design lies
// inside the window's shape, and each status patch covers something that
// differs from the display's silver.
TEST(SkinResources, KeysAndIndicatorsOfTheDesignLieOnTheSkin) {
    const fw::Bitmap skin = skin::skinPicture();
    int keys = 0, patches = 0;
    for (const auto& row : app::zavAmpDesign()) {
        const std::string name = row.name;
        const fw::Rect& r = row.bounds;
        if (r.empty() || name == "CoolFormWinamp") continue;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ASSERT_TRUE(skin::opaque(x, y)) << name << " at " << x << "," << y;
        keys += startsWith(name, "CB") || startsWith(name, "CoolButton");
        const bool patch = name.size() > 1 && name[0] == 'I' && std::isupper(static_cast<unsigned char>(name[1]));
        if (!patch) continue;
        ++patches;
        int marks = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) marks += skin.pixel(x, y) != fw::colors::silver;
        EXPECT_GT(marks, 3) << name << " covers no indicator";
    }
    EXPECT_EQ(keys, 31) << "the design has the remote's 31 keys";
    EXPECT_EQ(patches, 10) << "and its 10 status patches";
}

}  // namespace
