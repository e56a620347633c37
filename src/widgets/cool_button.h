// TCoolButton: a push button without a window of its own, made to lie over
// a skin. It paints only the image of its state, cut from a strip of up to
// four glyph cells, and its caption: with neither it is an invisible hot
// spot that still clicks, shows its hint and takes part in button groups.
// It is hot only while the pointer is over an opaque pixel of its glyph.
// Its state follows the mouse and its enabled flag in the event handlers
// (cool_button.cpp); painting (cool_button_face.cpp) only shows it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/control.h"
#include "widgets/button_glyph.h"

namespace widgets {

enum class TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

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
    // The state shown for what the mouse and the enabled flag say now.
    void settleState();
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
