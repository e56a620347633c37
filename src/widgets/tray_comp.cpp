#include "widgets/tray_comp.h"

#include "framework/application.h"

namespace widgets {

TTrayComp::TTrayComp(fw::Component* owner, std::string name, platform::TraySystem& system)
    : fw::Component(owner, std::move(name)), system_(system) {}

TTrayComp::~TTrayComp() {
    listening_.reset();
    if (showIcon_) DeleteIcon();
}

fw::Form* TTrayComp::ownerForm() const {
    return dynamic_cast<fw::Form*>(owner());
}

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

void TTrayComp::taskbarCreated() {
    // The new taskbar has none of our icon: it is added again as it was,
    // tip and clicks and all; in window mode there is nothing to add.
    if (showIcon_) AddIcon();
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
    fw::Form* form = ownerForm();
    iconData_.window = form ? form->handle() : 0;
    iconData_.icon = icon_.handle;
    iconData_.tip = toolTip_;
}

bool TTrayComp::AddIcon() {
    FillIconData();
    const bool ok = system_.notifyIcon(platform::TrayIconOperation::add, iconData_);
    // Some shells drop the tip of an icon added without one: it is set
    // again once the form's message queue comes round to it.
    if (toolTip_.empty()) system_.postTipRefresh(iconData_.window);
    return ok;
}

bool TTrayComp::UpdateIcon() {
    FillIconData();
    if (!showIcon_) return true;
    return system_.notifyIcon(platform::TrayIconOperation::modify, iconData_);
}

bool TTrayComp::DeleteIcon() {
    return system_.notifyIcon(platform::TrayIconOperation::remove, iconData_);
}

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
    listening_ = system_.listen(formHandle_, *this);
    if (!showForm_) {
        form->hide();
        form->application().setShowMainForm(false);
    }
}

void TTrayComp::windowActivated() {
    ApplyTaskBar();
}

// No taskbar button to minimise to: the window stays as it is.
bool TTrayComp::minimiseRequested() {
    return !showInTaskBar_;
}

void TTrayComp::iconMouseMove() {
    if (OnMouseMove) OnMouseMove(*this);
}

void TTrayComp::iconClicked(fw::MouseButton button) {
    if (button == fw::MouseButton::left) leftClick();
    if (button == fw::MouseButton::right) rightClick();
}

void TTrayComp::tipRefreshDue() {
    setToolTip(toolTip_);
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
