#include "support/headless_host.h"

#include <stdexcept>

#include "framework/control.h"

namespace testing_support {

HeadlessHost::~HeadlessHost() = default;

HeadlessHost::FormState& HeadlessHost::state(const fw::Form& form) {
    auto it = forms_.find(&form);
    if (it == forms_.end()) throw std::logic_error("form unknown to this host");
    return *it->second;
}

HeadlessHost::ControlState& HeadlessHost::state(const fw::WinControl& control) {
    auto it = controls_.find(&control);
    if (it == controls_.end()) throw std::logic_error("control has no window (design not loaded?)");
    return *it->second;
}

std::unique_ptr<fw::FormPeer> HeadlessHost::createFormPeer(fw::Form& form) {
    auto peer = std::make_unique<FormState>(*this, form, nextHandle_++);
    forms_[&form] = peer.get();
    return peer;
}

std::unique_ptr<fw::ControlPeer> HeadlessHost::createControlPeer(fw::WinControl& control, fw::FormPeer&) {
    auto peer = std::make_unique<ControlState>(*this, control, nextHandle_++);
    peer->bounds = control.bounds();
    peer->visible = control.showing();
    peer->enabled = control.enabled();
    controls_[&control] = peer.get();
    return peer;
}

void HeadlessHost::input(const std::function<void()>& work) {
    if (app_)
        app_->guarded(work);
    else
        work();
}

void HeadlessHost::press(fw::Form& form, fw::Point at, fw::MouseButton button) {
    if (button == fw::MouseButton::left) buttons_.left = true;
    if (button == fw::MouseButton::right) buttons_.right = true;
    if (button == fw::MouseButton::middle) buttons_.middle = true;
    const fw::MouseState s = buttons_;
    input([&] { form.mouseDown(button, s, at); });
}

void HeadlessHost::move(fw::Form& form, fw::Point at) {
    const fw::MouseState s = buttons_;
    input([&] { form.mouseMove(s, at); });
}

void HeadlessHost::release(fw::Form& form, fw::Point at, fw::MouseButton button) {
    if (button == fw::MouseButton::left) buttons_.left = false;
    if (button == fw::MouseButton::right) buttons_.right = false;
    if (button == fw::MouseButton::middle) buttons_.middle = false;
    const fw::MouseState s = buttons_;
    input([&] { form.mouseUp(button, s, at); });
}

void HeadlessHost::click(fw::Form& form, fw::Point at) {
    move(form, at);
    press(form, at);
    release(form, at);
}

void HeadlessHost::leaveWindow(fw::Form& form) {
    input([&] { form.mouseLeftWindow(); });
}

void HeadlessHost::clickControl(fw::WinControl& control) {
    auto& s = state(control);
    if (control.kind() == fw::ControlKind::checkBox) s.isChecked = !s.isChecked;
    input([&] { control.peerClicked(); });
}

void HeadlessHost::typeText(fw::WinControl& control, const std::string& text) {
    state(control).textValue = text;
    control.peerTextChanged(text);
}

void HeadlessHost::focusLeaves(fw::WinControl& control) {
    input([&] { control.peerFocusLost(); });
}

int HeadlessHost::timerInterval(const fw::Timer& timer) const {
    auto it = timers_.find(&timer);
    return it == timers_.end() ? 0 : it->second;
}

void HeadlessHost::fireTimer(fw::Timer& timer) {
    if (!timerRunning(timer)) throw std::logic_error("timer " + timer.name() + " is not running");
    if (app_)
        app_->guarded([&] { timer.fire(); });
    else
        timer.fire();
}

bool HeadlessHost::deliver(fw::Message message) {
    if (app_ && app_->callMessageHook(message)) return false;
    dispatched.push_back(message);
    return true;
}

void HeadlessHost::runPosted() {
    if (app_) app_->runPosted();
}

void HeadlessHost::runLoop(const std::function<bool()>& done) {
    // A loop nobody can end would hang the test run: give the test's
    // script a bounded number of chances, then fail loudly.
    for (int round = 0; round < 100; ++round) {
        runPosted();
        if (done() || quitRequested_) return;
        fw::Form* modal = nullptr;
        if (app_)
            for (fw::Form* f : app_->forms())
                if (f->isModal()) modal = f;
        if (modal && onModal)
            onModal(*modal);
        else
            break;
    }
    if (!done() && !quitRequested_) throw std::logic_error("headless message loop: nothing ends it");
}

std::optional<std::vector<std::uint8_t>> HeadlessHost::resource(const std::string& name) {
    auto it = resources.find(name);
    if (it == resources.end()) return std::nullopt;
    return it->second;
}

// The form's own painting, then its self-drawn child windows on top, as
// the window system composes them.
static void paintWindow(fw::Form& form, fw::Canvas& canvas) {
    form.paint(canvas, fw::Rect::fromSize(0, 0, form.clientSize().width, form.clientSize().height));
    for (const auto& c : form.components())
        if (auto* child = dynamic_cast<fw::WinControl*>(c.get());
            child && child->kind() == fw::ControlKind::custom && child->showing()) {
            fw::ViewportScope scope(canvas, child->bounds());
            child->paint(canvas);
        }
}

RecordingCanvas HeadlessHost::record(fw::Form& form) {
    RecordingCanvas canvas({form.clientSize().width, form.clientSize().height});
    paintWindow(form, canvas);
    return canvas;
}

RasterCanvas HeadlessHost::render(fw::Form& form) {
    RasterCanvas canvas(form.clientSize());
    paintWindow(form, canvas);
    return canvas;
}

}  // namespace testing_support

