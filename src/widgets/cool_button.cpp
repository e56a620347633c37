#include "widgets/cool_button.h"

#include "framework/application.h"
#include "framework/form.h"

namespace widgets {

TCoolButton::TCoolButton(fw::Component* owner, std::string name)
    : fw::GraphicControl(owner, std::move(name)), glyph_(fw::Application::of(owner).shared<TGlyphCache>()) {
    setBounds(fw::Rect::fromSize(0, 0, 25, 25));
    glyph_.setNumGlyphs(4);
    glyph_.OnChange = [this] { repaint(); };
}

void TCoolButton::setGroupIndex(std::int32_t v) {
    if (v == groupIndex_) return;
    groupIndex_ = v;
    NotifyGroup();
}

void TCoolButton::setAllowAllUp(bool v) {
    if (v == allowAllUp_) return;
    allowAllUp_ = v;
    NotifyGroup();
}

void TCoolButton::setDown(bool v) {
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = v;
    if (down_) {
        if (state_ == TCoolButtonState::cbUp) repaint();
        state_ = TCoolButtonState::cbHot;
        NotifyGroup();
    } else {
        state_ = TCoolButtonState::cbUp;
        repaint();
    }
    settleState();
}

void TCoolButton::settleState() {
    // Only an enabled button under the pointer shows hot or pressed.
    if (!enabled())
        state_ = TCoolButtonState::cbDisabled;
    else if (!mouseOver_)
        state_ = TCoolButtonState::cbUp;
    else if (state_ != TCoolButtonState::cbPressed)
        state_ = TCoolButtonState::cbHot;
}

void TCoolButton::setLayout(TButtonLayout v) {
    if (v == layout_) return;
    layout_ = v;
    repaint();
}

void TCoolButton::setSpacing(std::int32_t v) {
    if (v == spacing_) return;
    spacing_ = v;
    repaint();
}

void TCoolButton::setMargin(std::int32_t v) {
    if (v == margin_ || v < -1) return;
    margin_ = v;
    repaint();
}

void TCoolButton::setCaption(const std::string& v) {
    caption_ = v;
    repaint();
}

void TCoolButton::setFont(const fw::Font& f) {
    font_ = f;
    repaint();
}

void TCoolButton::setGlyph(const fw::Bitmap& strip, std::optional<fw::Color> transparent) {
    glyph_.setGlyph(strip, transparent);
    repaint();
}

void TCoolButton::setNumGlyphs(int n) {
    if (n > 4) n = 4;
    if (n == glyph_.NumGlyphs()) return;
    glyph_.setNumGlyphs(n);
    repaint();
}

void TCoolButton::setPressedLook(bool v) {
    if (v == pressedLook_) return;
    pressedLook_ = v;
    repaint();
}

bool TCoolButton::inside(fw::Point at) const {
    return at.x >= 0 && at.x < bounds().width() && at.y >= 0 && at.y < bounds().height();
}

void TCoolButton::HotTest(fw::Point at) {
    const fw::Bitmap& strip = glyph_.Glyph();
    const fw::Point onForm{at.x + bounds().left, at.y + bounds().top};
    mouseOver_ = !strip.empty() && at.x < strip.width() && at.y < strip.height() &&
                 strip.pixel(at.x, at.y) != strip.pixel(0, strip.height() - 1) && form() &&
                 form()->controlAt(onForm, true) == this;
}

void TCoolButton::mouseMove(const fw::MouseState& state, fw::Point at) {
    const bool wasOver = mouseOver_;
    HotTest(at);
    if (onMouseMove) onMouseMove(*this, state, at);
    if (tracking_)
        state_ = down_        ? TCoolButtonState::cbHot
                 : inside(at) ? TCoolButtonState::cbPressed
                              : TCoolButtonState::cbUp;
    settleState();
    if (mouseOver_ != wasOver) repaint();
}

void TCoolButton::mouseDown(fw::MouseButton button, const fw::MouseState& state, fw::Point at) {
    if (onMouseDown) onMouseDown(*this, button, state, at);
    if (button == fw::MouseButton::left && enabled()) {
        if (!down_) {
            state_ = TCoolButtonState::cbPressed;
            repaint();
        }
        tracking_ = true;
    }
    settleState();
    if (state.doubleClick && down_ && OnDblClick) OnDblClick(*this);
}

void TCoolButton::mouseUp(fw::MouseButton button, const fw::MouseState& state, fw::Point at) {
    if (onMouseUp) onMouseUp(*this, button, state, at);
    if (!tracking_) return;
    tracking_ = false;
    const bool in = inside(at);
    if (groupIndex_ == 0) {
        state_ = TCoolButtonState::cbUp;
        mouseOver_ = false;
        if (in) repaint();
    } else if (in) {
        setDown(!down_);
        if (down_) repaint();
    } else {
        if (down_) state_ = TCoolButtonState::cbHot;
        repaint();
    }
    if (in) click();
    RecheckMouseOver();
    settleState();
}

void TCoolButton::mouseLeave() {
    if (mouseOver_ && enabled() && !tracking_) {
        mouseOver_ = false;
        settleState();
        repaint();
    }
}

void TCoolButton::RecheckMouseOver() {
    if (!enabled() || !form()) return;
    if (form()->controlAt(form()->pointer(), true) == this) {
        mouseOver_ = false;
        return;
    }
    mouseOver_ = true;
    mouseLeave();
}

void TCoolButton::enabledChanged() {
    glyph_.BuildStateImage(enabled() ? TCoolButtonState::cbUp : TCoolButtonState::cbDisabled);
    RecheckMouseOver();
    settleState();
    fw::GraphicControl::enabledChanged();
}

void TCoolButton::NotifyGroup() {
    if (groupIndex_ == 0 || !form()) return;
    for (fw::GraphicControl* c : form()->graphicControls())
        if (auto* b = dynamic_cast<TCoolButton*>(c)) b->ButtonPressed(groupIndex_, *this);
}

void TCoolButton::ButtonPressed(std::int32_t group, TCoolButton& sender) {
    if (group != groupIndex_ || &sender == this) return;
    if (sender.down_ && down_) {
        down_ = false;
        state_ = TCoolButtonState::cbUp;
        settleState();
        repaint();
    }
    allowAllUp_ = sender.allowAllUp_;
}

}  // namespace widgets
