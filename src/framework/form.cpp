#include "framework/form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/std_controls.h"

namespace fw {
namespace {

Point toLocal(const GraphicControl& c, Point at) {
    return {at.x - c.bounds().left, at.y - c.bounds().top};
}

}  // namespace

Form::Form(Component* owner, std::string name)
    : Component(owner, std::move(name)), app_(Application::of(owner)) {
    peer_ = app_.host().createFormPeer(*this);
    peer_->setClientSize(clientSize_);
    app_.formCreated(*this);
}

Form::~Form() {
    // Controls die while the form they detach from, and the window their
    // child windows live in, still exist.
    destroyComponents();
    app_.formDestroyed(*this);
}

void Form::setCaption(const std::string& caption) {
    caption_ = caption;
    peer_->setCaption(caption);
}

void Form::setClientSize(Size size) {
    clientSize_ = size;
    peer_->setClientSize(size);
}

void Form::setBorderStyle(BorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    // The peer reads the style whenever it sizes the frame.
    peer_->setClientSize(clientSize_);
}

void Form::setColor(Color c) {
    color_ = c;
    invalidate();
}

void Form::centreOnScreen() {
    peer_->centreOnScreen();
}

void Form::placeBottomRight(int margin) {
    peer_->placeBottomRight(margin);
}

void Form::show() {
    if (visible_) return;
    visible_ = true;
    peer_->setVisible(true);
    visibilityChanged();
}

void Form::hide() {
    if (!visible_) return;
    releaseCapture();
    setHover(nullptr);
    visible_ = false;
    peer_->setVisible(false);
    visibilityChanged();
}

void Form::close() {
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    hide();
    if (app_.mainForm() == this) app_.terminate();
}

void Form::closeAsked() {
    if (modal_) {
        setModalResult(mrCancel);
        return;
    }
    app_.end();
}

void Form::cancelAsked() {
    if (modal_) setModalResult(mrCancel);
}

void Form::pageAsked(int by) {
    for (const auto& c : components())
        if (auto* tabs = dynamic_cast<TabControl*>(c.get()); tabs && tabs->showing() && tabs->enabled()) {
            tabs->step(by);
            return;
        }
}

void Form::setEnabled(bool enabled) {
    enabled_ = enabled;
    peer_->setEnabled(enabled);
}

int Form::showModal() {
    if (modal_) throw std::logic_error("form is already shown modally");
    modal_ = true;
    modalResult_ = mrNone;
    std::vector<Form*> disabled;
    for (Form* f : app_.forms())
        if (f != this && f->enabled()) {
            f->setEnabled(false);
            disabled.push_back(f);
        }
    struct Restore {
        Form& self;
        std::vector<Form*>& disabled;
        ~Restore() {
            for (Form* f : disabled) f->setEnabled(true);
            self.hide();
            self.modal_ = false;
        }
    } restore{*this, disabled};
    show();
    peer_->activate();
    app_.host().runLoop([this] { return modalResult_ != mrNone || !visible_ || app_.terminated(); });
    return modalResult_;
}

void Form::finishCreate() {
    loaded();
    if (onCreate) onCreate(*this);
}

void Form::paint(Canvas& canvas, const Rect& area) {
    canvas.setBrushStyle(BrushStyle::solid);
    canvas.setBrushColor(color_);
    canvas.fillRect(area);
    for (GraphicControl* c : graphics_) {
        if (!c->showing() || c->bounds().intersect(area).empty()) continue;
        ViewportScope scope(canvas, c->bounds());
        c->paint(canvas);
    }
}

GraphicControl* Form::controlAt(Point at, bool includeDisabled) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        GraphicControl* c = *it;
        if (c->showing() && (includeDisabled || c->enabled()) && c->bounds().contains(at)) return c;
    }
    return nullptr;
}

GraphicControl* Form::routeTarget(Point at) const {
    return capture_ ? capture_ : controlAt(at);
}

void Form::mouseDown(MouseButton button, const MouseState& state, Point at) {
    pointer_ = at;
    setHover(controlAt(at));
    GraphicControl* target = routeTarget(at);
    if (!target) return;
    if (button == MouseButton::left && !capture_ && target->capturesMouse()) {
        capture_ = target;
        peer_->setCapture(true);
    }
    target->mouseDown(button, state, toLocal(*target, at));
}

void Form::mouseMove(const MouseState& state, Point at) {
    pointer_ = at;
    setHover(controlAt(at));
    if (GraphicControl* target = routeTarget(at)) target->mouseMove(state, toLocal(*target, at));
}

void Form::mouseUp(MouseButton button, const MouseState& state, Point at) {
    pointer_ = at;
    GraphicControl* target = routeTarget(at);
    if (button == MouseButton::left) releaseCapture();
    if (target) target->mouseUp(button, state, toLocal(*target, at));
    setHover(controlAt(at));
}

void Form::mouseLeftWindow() {
    pointer_ = {-1, -1};
    if (!capture_) setHover(nullptr);
}

void Form::captureLost() {
    capture_ = nullptr;
}

void Form::releaseCapture(const GraphicControl* holder) {
    if (!capture_ || (holder && capture_ != holder)) return;
    capture_ = nullptr;
    peer_->setCapture(false);
}

void Form::setHover(GraphicControl* control) {
    if (control == hover_) return;
    GraphicControl* old = hover_;
    hover_ = control;
    if (old) old->mouseLeave();
    peer_->hintChanged();
}

std::string Form::currentHint() const {
    if (!showHints_ || !hover_) return {};
    return hover_->hint();
}

void Form::invalidate(const Rect& area) {
    if (!area.empty()) peer_->invalidate(area);
}

void Form::invalidate() {
    peer_->invalidate(Rect::fromSize(0, 0, clientSize_.width, clientSize_.height));
}

void Form::attach(GraphicControl& control) {
    graphics_.push_back(&control);
}

void Form::detach(GraphicControl& control) {
    GraphicControl* g = &control;
    std::erase(graphics_, g);
    releaseCapture(g);
    if (hover_ == g) hover_ = nullptr;
}

void Form::controlChanged(Control& control) {
    auto* g = dynamic_cast<GraphicControl*>(&control);
    if (!g) return;
    if (!g->showing() || !g->enabled()) {
        releaseCapture(g);
        if (hover_ == g && !g->showing()) setHover(nullptr);
    }
    invalidate(g->bounds());
}

std::unique_ptr<ControlPeer> Form::createPeerFor(WinControl& control) {
    return app_.host().createControlPeer(control, *peer_);
}

}  // namespace fw
