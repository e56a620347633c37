#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/bitmap.h"
#include "support/headless_host.h"

namespace {

TEST(Bitmap, BmpRoundTripKeepsEveryPixelForOddWidths) {
    fw::Bitmap picture(5, 3, fw::colors::silver);
    picture.setPixel(0, 0, fw::colors::red);
    picture.setPixel(4, 2, fw::colors::blue);
    picture.setPixel(2, 1, fw::rgb(1, 2, 3));
    const auto bytes = picture.toBmpBytes();
    EXPECT_EQ(bytes.size(), 54u + 16u * 3u) << "rows padded to four bytes";
    const auto back = fw::Bitmap::fromBmpBytes(bytes);
    EXPECT_EQ(back, picture);
    EXPECT_EQ(back.pixel(0, 0), fw::colors::red) << "the first row of the picture is its top";
}

TEST(Bitmap, ReadsPicturesStoredAsResources) {
    testing_support::HeadlessHost host;
    fw::Bitmap patch(24, 17, fw::colors::silver);
    host.resources["IPLAY"] = patch.toBmpBytes();
    host.resources["BROKEN"] = {'B', 'M', 0};
    EXPECT_EQ(fw::Bitmap::fromResource(host, "IPLAY"), patch);
    EXPECT_THROW(fw::Bitmap::fromResource(host, "BROKEN"), fw::BitmapError);
    EXPECT_THROW(fw::Bitmap::fromResource(host, "MISSING"), fw::BitmapError);
}

TEST(Bitmap, ReadsTopDownFiles) {
    fw::Bitmap picture(2, 2, fw::colors::black);
    picture.setPixel(1, 0, fw::colors::lime);
    auto bytes = picture.toBmpBytes();
    // Negative height: rows are stored top first.
    const std::int32_t h = -2;
    for (int i = 0; i < 4; ++i) bytes[22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(h >> (8 * i));
    const auto back = fw::Bitmap::fromBmpBytes(bytes);
    EXPECT_EQ(back.pixel(1, 1), fw::colors::lime);
    EXPECT_EQ(back.pixel(1, 0), fw::colors::black);
}

TEST(Bitmap, PixelsOutsideReadAsInvalidAndWritesThereAreIgnored) {
    fw::Bitmap picture(2, 2, fw::colors::white);
    picture.setPixel(-1, 0, fw::colors::red);
    picture.setPixel(2, 0, fw::colors::red);
    EXPECT_EQ(picture.pixel(-1, 0), fw::Bitmap::invalidColor);
    EXPECT_EQ(picture.pixel(0, 2), fw::Bitmap::invalidColor);
    for (auto c : picture.pixels()) EXPECT_EQ(c, fw::colors::white);
}

TEST(Bitmap, DamagedFilesAreRefusedWithAnError) {
    const auto good = fw::Bitmap(4, 4, fw::colors::silver).toBmpBytes();
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back({});
    bad.push_back({'B', 'M'});
    bad.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 5));  // truncated pixels
    auto notBm = good;
    notBm[0] = 'X';
    bad.push_back(notBm);
    auto eightBit = good;
    eightBit[28] = 8;
    bad.push_back(eightBit);
    auto rle = good;
    rle[30] = 1;
    bad.push_back(rle);
    auto huge = good;
    huge[21] = 0x7F;  // width of about two billion
    bad.push_back(huge);
    auto zeroWidth = good;
    zeroWidth[18] = 0;
    bad.push_back(zeroWidth);
    auto offsetPastEnd = good;
    offsetPastEnd[13] = 0x7F;
    bad.push_back(offsetPastEnd);
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_THROW(fw::Bitmap::fromBmpBytes(bad[i]), fw::BitmapError) << "case " << i;
    EXPECT_THROW(fw::Bitmap::fromBmpFile("/nonexistent/skin.bmp"), fw::BitmapError);
}

}  // namespace
