// TCoolButton: a push button without a window of its own, made to lie over
// a skin. It paints only the image of its state, cut from a strip of up to
// four glyph cells, and its caption: with neither it is an invisible hot
// spot that still clicks, shows its hint and takes part in button groups.
// It is hot only while the pointer is over an opaque pixel of its glyph.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/control.h"

namespace widgets {

enum class TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TCoolButtonState : std::uint8_t { cbUp, cbDisabled, cbPressed, cbHot };

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

class TCoolButton : public fw::GraphicControl {
public:
    TCoolButton(fw::Component* owner, std::string name);

    std::int32_t GroupIndex() const { return groupIndex_; }
    void setGroupIndex(std::int32_t v);
    bool Down() const { return down_; }
    void setDown(bool v);
    bool AllowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool v);
    TButtonLayout Layout() const { return layout_; }
    void setLayout(TButtonLayout v);
    std::int32_t Spacing() const { return spacing_; }
    void setSpacing(std::int32_t v);
    std::int32_t Margin() const { return margin_; }
    void setMargin(std::int32_t v);
    const std::string& Caption() const { return caption_; }
    void setCaption(const std::string& v);
    const fw::Font& Font() const { return font_; }
    void setFont(const fw::Font& f);
    void setGlyph(const fw::Bitmap& strip, std::optional<fw::Color> transparent = std::nullopt);
    const fw::Bitmap& Glyph() const { return glyph_.Glyph(); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void setNumGlyphs(int n);

    // Shown pressed whatever the mouse does, as when something other than
    // the mouse pressed it: a glyph-less key (a hot spot over a skin) shows a
    // sunken edge.
    bool PressedLook() const { return pressedLook_; }
    void setPressedLook(bool v);

    bool Tracking() const { return tracking_; }
    bool MouseOver() const { return mouseOver_; }
    TCoolButtonState State() const { return state_; }
    // The glyph cache this button shares with the application's others.
    TGlyphCache& glyphCache() const { return glyph_.SharedGlyphCache(); }

    fw::Handler OnDblClick;

    void paint(fw::Canvas& canvas) override;
    void mouseDown(fw::MouseButton button, const fw::MouseState& state, fw::Point at) override;
    void mouseMove(const fw::MouseState& state, fw::Point at) override;
    void mouseUp(fw::MouseButton button, const fw::MouseState& state, fw::Point at) override;
    void mouseLeave() override;

    // The glyph and caption places in a client rectangle.
    struct Face {
        fw::Point glyph;
        fw::Rect caption;
    };
    Face LayoutFace(fw::Canvas& canvas, fw::Size client) const;

    // Sent by the parent to each control when a grouped button latches.
    void ButtonPressed(std::int32_t group, TCoolButton& sender);

protected:
    void enabledChanged() override;

private:
    void repaint() { invalidate(); }
    void NotifyGroup();
    void RecheckMouseOver();
    void HotTest(fw::Point at);
    bool inside(fw::Point at) const;

    std::int32_t groupIndex_ = 0;
    TButtonGlyph glyph_;
    bool down_ = false;
    bool tracking_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    std::int32_t spacing_ = 4;
    std::int32_t margin_ = -1;
    bool mouseOver_ = false;
    bool pressedLook_ = false;
    TCoolButtonState state_ = TCoolButtonState::cbUp;
    std::string caption_;
    fw::Font font_;
};

}  // namespace widgets
