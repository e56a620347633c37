#include "framework/bitmap.h"

#include <fstream>

#include "framework/host.h"
#include <iterator>

namespace fw {
namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;
// Larger pictures than this are not skins; refusing them keeps a corrupt
// header from asking for gigabytes.
constexpr std::int64_t maxPixels = 16 * 1024 * 1024;

std::uint32_t readU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t readU16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
void putU32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void putU16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
std::size_t rowStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

}  // namespace

Bitmap::Bitmap(int width, int height, Color fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Color Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return invalidColor;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Bitmap::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = c & 0xFFFFFFu;
}

void Bitmap::fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), c & 0xFFFFFFu); }

Bitmap Bitmap::fromBmpBytes(const std::vector<std::uint8_t>& b) {
    if (b.size() < fileHeaderSize + infoHeaderSize || b[0] != 'B' || b[1] != 'M')
        throw BitmapError("not a .bmp file");
    const std::uint32_t dataOffset = readU32(b, 10);
    const std::uint32_t headerSize = readU32(b, 14);
    const auto width = static_cast<std::int32_t>(readU32(b, 18));
    const auto rawHeight = static_cast<std::int32_t>(readU32(b, 22));
    const std::uint16_t bits = readU16(b, 28);
    const std::uint32_t compression = readU32(b, 30);
    if (headerSize < infoHeaderSize) throw BitmapError("unsupported .bmp header");
    if (bits != 24 || compression != 0) throw BitmapError("only uncompressed 24-bit .bmp files are read");
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) throw BitmapError("bad .bmp size");
    const bool topDown = rawHeight < 0;
    const std::int32_t height = topDown ? -rawHeight : rawHeight;
    if (static_cast<std::int64_t>(width) * height > maxPixels) throw BitmapError("bad .bmp size");
    const std::size_t stride = rowStride(width);
    if (dataOffset > b.size() || b.size() - dataOffset < stride * static_cast<std::size_t>(height))
        throw BitmapError("truncated .bmp file");

    Bitmap out(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const std::size_t at = dataOffset + stride * static_cast<std::size_t>(row);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = at + static_cast<std::size_t>(x) * 3;
            out.setPixel(x, y, rgb(b[p + 2], b[p + 1], b[p]));
        }
    }
    return out;
}

Bitmap Bitmap::fromBmpFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BitmapError("cannot open " + path.string());
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return fromBmpBytes(bytes);
}

Bitmap Bitmap::fromResource(Host& host, const std::string& name) {
    const auto bytes = host.resource(name);
    if (!bytes) throw BitmapError("no picture resource " + name);
    return fromBmpBytes(*bytes);
}

std::vector<std::uint8_t> Bitmap::toBmpBytes() const {
    const std::size_t stride = rowStride(width_);
    const std::size_t dataSize = stride * static_cast<std::size_t>(height_);
    std::vector<std::uint8_t> b;
    b.reserve(fileHeaderSize + infoHeaderSize + dataSize);
    b.push_back('B');
    b.push_back('M');
    putU32(b, static_cast<std::uint32_t>(fileHeaderSize + infoHeaderSize + dataSize));
    putU32(b, 0);
    putU32(b, fileHeaderSize + infoHeaderSize);
    putU32(b, infoHeaderSize);
    putU32(b, static_cast<std::uint32_t>(width_));
    putU32(b, static_cast<std::uint32_t>(height_));
    putU16(b, 1);
    putU16(b, 24);
    putU32(b, 0);
    putU32(b, static_cast<std::uint32_t>(dataSize));
    putU32(b, 2835);
    putU32(b, 2835);
    putU32(b, 0);
    putU32(b, 0);
    for (int row = 0; row < height_; ++row) {
        const int y = height_ - 1 - row;
        for (int x = 0; x < width_; ++x) {
            const Color c = pixel(x, y);
            b.push_back(static_cast<std::uint8_t>(blueOf(c)));
            b.push_back(static_cast<std::uint8_t>(greenOf(c)));
            b.push_back(static_cast<std::uint8_t>(redOf(c)));
        }
        for (std::size_t pad = static_cast<std::size_t>(width_) * 3; pad < stride; ++pad) b.push_back(0);
    }
    return b;
}

void Bitmap::saveBmp(const std::filesystem::path& path) const {
    const auto bytes = toBmpBytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw BitmapError("cannot write " + path.string());
}

}  // namespace fw
