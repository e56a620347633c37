// A 24-bit picture held as one colour per pixel, top row first. Reads and
// writes uncompressed 24-bit .bmp files; anything else is refused with an
// error rather than guessed at, so a damaged skin file cannot crash us.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/geometry.h"

namespace fw {

class Host;

class BitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = colors::black);

    static Bitmap fromBmpBytes(const std::vector<std::uint8_t>& bytes);
    static Bitmap fromBmpFile(const std::filesystem::path& path);
    // A .bmp stored as a named resource of the program.
    static Bitmap fromResource(Host& host, const std::string& name);

    std::vector<std::uint8_t> toBmpBytes() const;
    void saveBmp(const std::filesystem::path& path) const;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    // Reads outside the picture answer invalidColor, which equals no real
    // colour; writes outside it are ignored.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c);
    void fill(Color c);

    const std::vector<Color>& pixels() const { return pixels_; }

    static constexpr Color invalidColor = 0xFFFFFFFFu;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

}  // namespace fw
