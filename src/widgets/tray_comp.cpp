#include "widgets/tray_comp.h"

#include "framework/application.h"

namespace widgets {
namespace {

constexpr unsigned WM_ACTIVATE_ = 6;
constexpr unsigned WM_SHOWWINDOW_ = 24;
constexpr unsigned WM_SYSCOMMAND_ = 274;
constexpr unsigned WM_MOUSEMOVE_ = 512;
constexpr unsigned WM_LBUTTONUP_ = 514;
constexpr unsigned WM_RBUTTONUP_ = 517;
constexpr std::uintptr_t SC_MINIMIZE_ = 0xF020;
// Callback message, icon and tip are valid.
constexpr std::uint32_t NIF_ALL = 7;

}  // namespace

TTrayComp::TTrayComp(fw::Component* owner, std::string name, platform::TraySystem& system)
    : fw::Component(owner, std::move(name)), system_(system) {}

TTrayComp::~TTrayComp() {
    subclass_.reset();
    if (showIcon_) DeleteIcon();
}

fw::Form* TTrayComp::ownerForm() const { return dynamic_cast<fw::Form*>(owner()); }

void TTrayComp::setHideApp(bool v) {
    hideApp_ = v;
    // The task list of old systems: where the call is not offered the
    // setting reads back false; without kernel32 it is left as asked.
    if (system_.registerServiceProcess(v) == platform::ServiceRegistration::noExport) hideApp_ = false;
}

void TTrayComp::setShowForm(bool v) {
    if (fw::Form* form = ownerForm()) {
        if (formHandle_ != 0 && !v) form->hide();
        if (v && !form->visible()) form->show();
    }
    showForm_ = v;
    ApplyTaskBar();
}

void TTrayComp::setShowInTaskBar(bool v) {
    showInTaskBar_ = v;
    ApplyTaskBar();
}

void TTrayComp::setShowIcon(bool v) {
    if (v)
        AddIcon();
    else
        DeleteIcon();
    showIcon_ = v;
}

void TTrayComp::setIcon(const TrayIcon& icon) {
    if (&icon == &icon_) return;
    icon_ = icon;
    UpdateIcon();
}

void TTrayComp::setToolTip(const std::string& tip) {
    toolTip_ = tip.substr(0, maxToolTip);
    UpdateIcon();
}

void TTrayComp::FillIconData() {
    iconData_.size = 88;
    fw::Form* form = ownerForm();
    iconData_.window = form ? form->handle() : 0;
    iconData_.id = 0;
    iconData_.flags = NIF_ALL;
    iconData_.callbackMessage = TrayCallbackMessage;
    iconData_.icon = icon_.handle;
    iconData_.tip = toolTip_;
}

bool TTrayComp::AddIcon() {
    FillIconData();
    const bool ok = system_.notifyIcon(platform::NotifyIconOperation::add, iconData_);
    // Some shells drop the tip of an icon added without one: it is set
    // again once the form's message queue comes round to it.
    if (toolTip_.empty()) system_.postMessage(iconData_.window, TrayTipMessage, 0, 0);
    return ok;
}

bool TTrayComp::UpdateIcon() {
    FillIconData();
    if (!showIcon_) return true;
    return system_.notifyIcon(platform::NotifyIconOperation::modify, iconData_);
}

bool TTrayComp::DeleteIcon() { return system_.notifyIcon(platform::NotifyIconOperation::remove, iconData_); }

void TTrayComp::ApplyTaskBar() {
    if (showInTaskBar_) return;
    fw::Form* form = ownerForm();
    if (!form) return;
    if (const fw::WindowHandle w = system_.findWindow(form->application().title()))
        system_.showWindow(w, platform::ShowCommand::hide);
}

void TTrayComp::loaded() {
    fw::Component::loaded();
    fw::Form* form = ownerForm();
    if (!form) return;
    formHandle_ = form->handle();
    if (system_.isMinimized(formHandle_) && !runMinimized_) form->application().terminate();
    subclass_ = system_.subclass(formHandle_, [this](fw::Message& m) { return TrayWndProc(m); });
    if (!showForm_) {
        form->hide();
        form->application().setShowMainForm(false);
    }
}

bool TTrayComp::TrayWndProc(fw::Message& m) {
    if (!ownerForm()) return false;
    switch (m.msg) {
        case WM_ACTIVATE_:
            if ((m.wParam & 0xFFFF) != 0) ApplyTaskBar();
            return false;
        case WM_SYSCOMMAND_:
            // No taskbar button to minimise to: the command becomes a
            // harmless WM_SHOWWINDOW and the window stays as it is.
            if (m.wParam == SC_MINIMIZE_ && !showInTaskBar_) {
                m.msg = WM_SHOWWINDOW_;
                m.wParam = 0;
            }
            return false;
        case TrayCallbackMessage:
            switch (m.lParam) {
                case WM_MOUSEMOVE_:
                    if (OnMouseMove) OnMouseMove(*this);
                    break;
                case WM_LBUTTONUP_: leftClick(); break;
                case WM_RBUTTONUP_: rightClick(); break;
                default: break;
            }
            return true;
        case TrayTipMessage: setToolTip(toolTip_); return true;
        default: return false;
    }
}

void TTrayComp::showFormWindow() {
    if (fw::Form* form = ownerForm()) form->show();
    system_.setActiveWindow(formHandle_);
}

void TTrayComp::leftClick() {
    if (OnLeftClick) {
        OnLeftClick(*this);
        return;
    }
    if (defLClick_ && showForm_) showFormWindow();
}

void TTrayComp::rightClick() {
    const fw::Point at = system_.cursorPos();
    if (OnRightClick)
        OnRightClick(*this, fw::MouseButton::right, fw::MouseState{}, at.x, at.y);
    else if (defRClick_ && showForm_)
        showFormWindow();
    if (popupMenu_) {
        system_.setActiveWindow(formHandle_);
        popupMenu_->popup(at);
    }
}

}  // namespace widgets
