// TTrayComp: shows the application as an icon with a tool tip in the
// notification area, turns the icon's mouse actions into events, shows and
// hides its form, hides the application's taskbar window, and registers the
// process as hidden from the task list where the system still offers that.
// It listens to its form's window to hear from the icon.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/component.h"
#include "framework/form.h"
#include "platform/tray.h"

namespace widgets {

// A menu that can be opened at a screen position.
class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    virtual void popup(fw::Point at) = 0;
};

// The icon picture: a handle from the program's icon resources.
struct TrayIcon {
    platform::IconHandle handle = 0;
};

using TrayMouseHandler = std::function<void(fw::Component& sender, fw::MouseButton button,
                                            const fw::MouseState& shift, int x, int y)>;

class TTrayComp : public fw::Component, private platform::TrayListener {
public:
    // The notification area's record holds 64 bytes of tip, and the tip
    // has always been cut two short of that.
    static constexpr std::size_t maxToolTip = 62;

    TTrayComp(fw::Component* owner, std::string name, platform::TraySystem& system);
    ~TTrayComp() override;

    bool HideApp() const { return hideApp_; }
    void setHideApp(bool v);
    bool ShowForm() const { return showForm_; }
    void setShowForm(bool v);
    bool ShowInTaskBar() const { return showInTaskBar_; }
    void setShowInTaskBar(bool v);
    bool RunMinimized() const { return runMinimized_; }
    void setRunMinimized(bool v) { runMinimized_ = v; }
    bool ShowIcon() const { return showIcon_; }
    void setShowIcon(bool v);
    const TrayIcon& Icon() const { return icon_; }
    void setIcon(const TrayIcon& icon);
    // An icon from the program's resources, for setIcon.
    TrayIcon iconResource(const std::string& name) const { return {system_.loadIcon(name)}; }
    const std::string& ToolTip() const { return toolTip_; }
    void setToolTip(const std::string& tip);
    PopupMenu* popupMenu() const { return popupMenu_; }
    void setPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }
    bool DefRClick() const { return defRClick_; }
    void setDefRClick(bool v) { defRClick_ = v; }
    bool DefLClick() const { return defLClick_; }
    void setDefLClick(bool v) { defLClick_ = v; }

    fw::Handler OnLeftClick;
    TrayMouseHandler OnRightClick;
    fw::Handler OnMouseMove;
    void bindHandler(fw::Handler handler) override { OnLeftClick = std::move(handler); }

    void loaded() override;

    // The icon as last handed to the notification area.
    const platform::TrayIconSpec& IconData() const { return iconData_; }

private:
    // What the form's window reports while the component lives.
    void windowActivated() override;
    bool minimiseRequested() override;
    void iconMouseMove() override;
    void iconClicked(fw::MouseButton button) override;
    void tipRefreshDue() override;
    void taskbarCreated() override;

    fw::Form* ownerForm() const;
    void FillIconData();
    bool AddIcon();
    bool UpdateIcon();
    bool DeleteIcon();
    void ApplyTaskBar();
    void leftClick();
    void rightClick();
    void showFormWindow();

    platform::TraySystem& system_;
    fw::WindowHandle formHandle_ = 0;
    bool hideApp_ = true;
    bool showForm_ = true;
    bool showInTaskBar_ = false;
    bool runMinimized_ = false;
    std::unique_ptr<platform::TrayListening> listening_;
    platform::TrayIconSpec iconData_;
    TrayIcon icon_;
    std::string toolTip_;
    bool showIcon_ = true;
    PopupMenu* popupMenu_ = nullptr;  // not owned
    bool defRClick_ = false;
    bool defLClick_ = true;
};

}  // namespace widgets
