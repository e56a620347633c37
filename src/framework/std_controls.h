// The windowed controls the dialogs need, each a native child window made by
// the host. They keep their own state so they work before their window
// exists and in the headless host.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace fw {

class Label : public WinControl {
public:
    Label(Component* owner, std::string name) : WinControl(owner, std::move(name), ControlKind::label) {}
};

// An etched frame drawn around a group of controls. It has no window of
// its own: the form paints it beneath its windowed controls.
class Frame : public GraphicControl {
public:
    Frame(Component* owner, std::string name) : GraphicControl(owner, std::move(name)) { setCapturesMouse(false); }
    void paint(Canvas& canvas) override;
};

class Edit : public WinControl {
public:
    Edit(Component* owner, std::string name) : WinControl(owner, std::move(name), ControlKind::edit) {}
};

// A multi-line edit; centred text when asked.
class Memo : public WinControl {
public:
    Memo(Component* owner, std::string name) : WinControl(owner, std::move(name), ControlKind::memo) {}
};

class Button : public WinControl {
public:
    Button(Component* owner, std::string name) : WinControl(owner, std::move(name), ControlKind::button) {}
    // The form's default button: Enter anywhere in the form presses it
    // (unless another button has the focus). Set before the window is made.
    bool isDefault() const { return default_; }
    void setDefault(bool isDefault) { default_ = isDefault; }

private:
    bool default_ = false;
};

// A titled frame around the controls that belong together; its text is
// the title.
class GroupBox : public WinControl {
public:
    GroupBox(Component* owner, std::string name) : WinControl(owner, std::move(name), ControlKind::groupBox) {}
};

class CheckBox : public WinControl {
public:
    CheckBox(Component* owner, std::string name)
        : WinControl(owner, std::move(name), ControlKind::checkBox) {}
    bool checked() const { return peer() ? peer()->checked() : checked_; }
    void setChecked(bool checked);

protected:
    void peerCreated() override;

private:
    bool checked_ = false;
};

// A combo box with an editable text and a drop-down list; the text need not
// be one of the items.
class ComboBox : public WinControl {
public:
    ComboBox(Component* owner, std::string name)
        : WinControl(owner, std::move(name), ControlKind::comboBox) {}
    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);

protected:
    ComboBox(Component* owner, std::string name, ControlKind kind) : WinControl(owner, std::move(name), kind) {}
    void peerCreated() override;

private:
    std::vector<std::string> items_;
};

// A drop-down list: the text is always one of the items (or empty, before
// one is chosen); a text that is no item chooses nothing.
class DropDownList : public ComboBox {
public:
    DropDownList(Component* owner, std::string name) : ComboBox(owner, std::move(name), ControlKind::dropDownList) {}
    // The chosen item's position, or -1.
    int itemIndex() const;
    void setItemIndex(int index);

protected:
    DropDownList(Component* owner, std::string name, ControlKind kind) : ComboBox(owner, std::move(name), kind) {}
};

// A list always open, its items one under another; its text is the chosen
// item, as a drop-down list's is.
class ListBox : public DropDownList {
public:
    ListBox(Component* owner, std::string name) : DropDownList(owner, std::move(name), ControlKind::listBox) {}
};

// A row of tabs over pages of one form. A page is a group box and the
// controls it holds; only the chosen page's controls show. The tabs are
// titled by their group boxes, and the text is the chosen tab's title, as
// a list's text is its chosen item.
class TabControl : public WinControl {
public:
    struct Page {
        GroupBox* group = nullptr;
        std::vector<Control*> controls;
    };
    TabControl(Component* owner, std::string name) : WinControl(owner, std::move(name), ControlKind::tabs) {}
    // The pages in the order of their tabs; the first is chosen.
    void setPages(std::vector<Page> pages);
    const std::vector<std::string>& titles() const { return titles_; }
    // The chosen page's position, or -1 before there are pages.
    int pageIndex() const;
    void setPageIndex(int index);
    // The page `by` tabs on from the chosen one, going round, as Ctrl+Tab
    // and Ctrl+Shift+Tab ask; the tabs take the focus, as a dialog's tabs
    // do, so the focus never stays on a control that was hidden.
    void step(int by);
    // The page a control lies on, or -1 when it lies on none.
    int pageOf(const Control& control) const;
    // The user chose a tab: its page shows, then onClick is raised.
    void peerClicked() override;

protected:
    void peerCreated() override;

private:
    void showPage();
    std::vector<std::string> titles_;
    std::vector<std::vector<Control*>> pages_;
};

// A number field with up/down arrows, held between minimum and maximum when
// set and when it loses the focus; a text that is not a number reads as the
// minimum.
class SpinEdit : public WinControl {
public:
    SpinEdit(Component* owner, std::string name);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);
    int value() const;
    void setValue(int value);
    void peerFocusLost() override;

protected:
    void peerCreated() override;

private:
    int clamp(int v) const;
    int minimum_ = 0;
    int maximum_ = 100;
};

// A child window that paints itself.
class CustomControl : public WinControl {
public:
    CustomControl(Component* owner, std::string name)
        : WinControl(owner, std::move(name), ControlKind::custom) {}
    Color color() const { return color_; }
    void setColor(Color c) {
        color_ = c;
        invalidate();
    }

private:
    Color color_ = colors::buttonFace;
};

}  // namespace fw
