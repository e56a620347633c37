// The glyph images of the skin buttons: a strip of up to four cells (up,
// disabled, pressed, hot), each state's image built once into a list of
// masked images shared by every button whose cells have the same size.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "framework/bitmap.h"
#include "framework/canvas.h"

namespace widgets {

enum class TCoolButtonState : std::uint8_t { cbUp, cbDisabled, cbPressed, cbHot };

// The button-highlight and button-shadow colours of the classic desktop.
constexpr fw::Color buttonHighlight = fw::colors::white;
constexpr fw::Color buttonShadow = fw::colors::gray;

// Masked images of one cell size; removing a slot only marks it free.
class TGlyphList {
public:
    explicit TGlyphList(fw::Size cell) : cell_(cell) {}
    fw::Size cellSize() const { return cell_; }
    int Add(fw::Bitmap image, fw::Color maskColor);
    void Delete(int index);
    int Count() const { return count_; }
    void Draw(fw::Canvas& canvas, int index, fw::Point at) const;

private:
    struct Slot {
        fw::Bitmap image;
        fw::Color mask = 0;
        bool used = false;
    };
    fw::Size cell_;
    std::vector<Slot> slots_;
    int count_ = 0;
};

// All glyph lists of the program, one per cell size, shared by every button.
class TGlyphCache {
public:
    // The list for that cell size, made when there is none.
    TGlyphList* GetList(fw::Size cell);
    // The list for that cell size, or none.
    TGlyphList* FindList(fw::Size cell) const;
    void ReturnList(TGlyphList* list);

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

class TButtonGlyph {
public:
    explicit TButtonGlyph(std::shared_ptr<TGlyphCache> cache);
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    const fw::Bitmap& Glyph() const { return strip_; }
    // A fixed transparent colour, or none (then the bottom-left pixel).
    void setGlyph(const fw::Bitmap& strip, std::optional<fw::Color> transparent = std::nullopt);
    int NumGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int n);
    fw::Color TransparentColor() const { return transparentColor_; }
    fw::Size cellSize() const;
    // Builds (once) and returns the image of a state: its list and index,
    // or no list when there is nothing to draw.
    std::pair<TGlyphList*, int> BuildStateImage(TCoolButtonState state);
    void Invalidate();

    std::function<void()> OnChange;

    TGlyphCache& SharedGlyphCache() const { return *cache_; }

private:
    std::shared_ptr<TGlyphCache> cache_;
    fw::Bitmap strip_;
    std::optional<fw::Color> fixedTransparent_;
    TGlyphList* list_ = nullptr;  // owned by the cache
    std::array<int, 4> indexes_{-1, -1, -1, -1};
    fw::Color transparentColor_ = fw::colors::olive;
    int numGlyphs_ = 1;
};

}  // namespace widgets
