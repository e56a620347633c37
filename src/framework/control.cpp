#include "framework/control.h"

#include "framework/form.h"

namespace fw {

Control::Control(Component* owner, std::string name)
    : Component(owner, std::move(name)), form_(dynamic_cast<Form*>(owner)) {}

Control::~Control() = default;

void Control::setBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    const Rect old = bounds_;
    bounds_ = bounds;
    boundsChanged(old);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    visibleChanged();
}

void Control::setOnPage(bool onPage) {
    if (onPage == onPage_) return;
    onPage_ = onPage;
    visibleChanged();
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    enabledChanged();
}

void Control::click() {
    if (onClick) onClick(*this);
}

void Control::boundsChanged(const Rect& old) {
    if (form_) {
        form_->invalidate(old);
        form_->invalidate(bounds_);
    }
}

void Control::visibleChanged() {
    if (form_) form_->controlChanged(*this);
}

void Control::enabledChanged() {
    if (form_) form_->controlChanged(*this);
}

GraphicControl::GraphicControl(Component* owner, std::string name) : Control(owner, std::move(name)) {
    if (form()) form()->attach(*this);
}

GraphicControl::~GraphicControl() {
    if (form()) form()->detach(*this);
}

void GraphicControl::paint(Canvas&) {}

void GraphicControl::mouseDown(MouseButton button, const MouseState& state, Point at) {
    if (onMouseDown) onMouseDown(*this, button, state, at);
    if (button == MouseButton::left) pressed_ = true;
}

void GraphicControl::mouseMove(const MouseState& state, Point at) {
    if (onMouseMove) onMouseMove(*this, state, at);
}

void GraphicControl::mouseUp(MouseButton button, const MouseState& state, Point at) {
    if (onMouseUp) onMouseUp(*this, button, state, at);
    if (button != MouseButton::left || !pressed_) return;
    pressed_ = false;
    if (Rect::fromSize(0, 0, bounds().width(), bounds().height()).contains(at)) click();
}

void GraphicControl::mouseLeave() {}

void GraphicControl::invalidate() {
    if (form()) form()->invalidate(bounds());
}

Image::Image(Component* owner, std::string name) : GraphicControl(owner, std::move(name)) {
    setCapturesMouse(false);
}

void Image::setPicture(Bitmap picture) {
    picture_ = std::move(picture);
    pictureChanged();
}

void Image::pictureChanged() { invalidate(); }

void Image::setTransparentColor(std::optional<Color> c) {
    transparent_ = c;
    invalidate();
}

void Image::paint(Canvas& canvas) {
    if (picture_.empty()) return;
    if (transparent_)
        canvas.drawBitmapTransparent({0, 0}, picture_, *transparent_);
    else
        canvas.drawBitmap({0, 0}, picture_);
}

WinControl::WinControl(Component* owner, std::string name, ControlKind kind)
    : Control(owner, std::move(name)), kind_(kind) {
    if (form() && form()->isLoaded()) loaded();
}

void WinControl::loaded() {
    if (!peer_ && form()) {
        peer_ = form()->createPeerFor(*this);
        if (peer_) {
            peer_->setText(text_);
            peerCreated();
        }
    }
    Component::loaded();
}

void WinControl::peerCreated() {}

WinControl::~WinControl() { peer_.reset(); }

void WinControl::setText(const std::string& text) {
    // The same text again changes nothing a user can see, but a window's
    // text change re-measures and repaints it; timers that copy a text
    // every tick would pay that for nothing.
    if (text == text_) return;
    text_ = text;
    if (peer_) peer_->setText(text);
}

void WinControl::setFocus() {
    if (peer_) peer_->setFocus();
}

void WinControl::paint(Canvas&) {}

void WinControl::invalidate() {
    if (peer_) peer_->invalidate();
}

void WinControl::peerClicked() { click(); }

void WinControl::peerFocusLost() {}

void WinControl::boundsChanged(const Rect&) {
    if (peer_) peer_->setBounds(bounds());
}

void WinControl::visibleChanged() {
    if (peer_) peer_->setVisible(showing());
}

void WinControl::enabledChanged() {
    if (peer_) peer_->setEnabled(enabled());
}

}  // namespace fw
