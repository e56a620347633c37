// Controls: visual components placed on a form. Graphic controls have no
// window of their own: the form paints them in z-order and routes mouse
// messages to them. Windowed controls are native child windows made by the
// host (labels, edits, buttons, the custom-drawn read-outs).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/host.h"

namespace fw {

class Form;

class Control : public Component {
public:
    Control(Component* owner, std::string name);
    ~Control() override;

    // The form this control lies on: its owner, when the owner is a form.
    Form* form() const { return form_; }

    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // A control on a page of tabs is shown only while its page is chosen,
    // whatever it says itself: the two are kept apart so that a control
    // hidden for its own reasons stays hidden when its page comes back.
    bool onPage() const { return onPage_; }
    void setOnPage(bool onPage);
    // Whether the user can see it: visible, and on the chosen page.
    bool showing() const { return visible_ && onPage_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::string& hint() const { return hint_; }
    void setHint(std::string hint) { hint_ = std::move(hint); }

    Handler onClick;
    void bindHandler(Handler handler) override { onClick = std::move(handler); }
    // Raises onClick inside the application's error guard's reach: an error
    // from the handler propagates to whoever delivered the input.
    virtual void click();

protected:
    virtual void boundsChanged(const Rect& old);
    virtual void visibleChanged();
    virtual void enabledChanged();

private:
    Form* form_ = nullptr;
    Rect bounds_;
    bool visible_ = true;
    bool onPage_ = true;
    bool enabled_ = true;
    std::string hint_;
};

using MouseHandler = std::function<void(Component&, MouseButton, const MouseState&, Point)>;
using MouseMoveHandler = std::function<void(Component&, const MouseState&, Point)>;

class GraphicControl : public Control {
public:
    GraphicControl(Component* owner, std::string name);
    ~GraphicControl() override;

    // Paints with the origin at the control's top-left corner, clipped to it.
    virtual void paint(Canvas& canvas);

    // Positions are in the control's own coordinates.
    virtual void mouseDown(MouseButton button, const MouseState& state, Point at);
    virtual void mouseMove(const MouseState& state, Point at);
    virtual void mouseUp(MouseButton button, const MouseState& state, Point at);
    // The pointer left the control (or the window) while it was over it.
    virtual void mouseLeave();

    // A control that captures the mouse gets every mouse message, wherever
    // the pointer is, while the left button pressed on it is held.
    bool capturesMouse() const { return capturesMouse_; }
    void setCapturesMouse(bool v) { capturesMouse_ = v; }

    void invalidate();

    MouseHandler onMouseDown;
    MouseHandler onMouseUp;
    MouseMoveHandler onMouseMove;

private:
    bool capturesMouse_ = true;
    bool pressed_ = false;
};

// A picture painted at its natural size from the control's top-left corner.
class Image : public GraphicControl {
public:
    Image(Component* owner, std::string name);
    const Bitmap& picture() const { return picture_; }
    void setPicture(Bitmap picture);
    void setTransparentColor(std::optional<Color> c);
    void paint(Canvas& canvas) override;

protected:
    // Called after the picture has been replaced.
    virtual void pictureChanged();

private:
    Bitmap picture_;
    std::optional<Color> transparent_;
};

enum class ControlKind {
    label,
    edit,
    memo,
    comboBox,
    dropDownList,
    listBox,
    checkBox,
    button,
    spinEdit,
    groupBox,
    tabs,
    custom
};

class WinControl : public Control {
public:
    WinControl(Component* owner, std::string name, ControlKind kind);
    ~WinControl() override;

    ControlKind kind() const { return kind_; }
    ControlPeer* peer() const { return peer_.get(); }

    // The text as the window shows it. Windows report their user's edits
    // (peerTextChanged), so reading it never asks the window.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    bool bold() const { return bold_; }
    void setBold(bool bold) { bold_ = bold; }
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    bool centred() const { return centred_; }
    void setCentred(bool centred) { centred_ = centred; }
    void setFocus();

    // Custom-drawn controls paint themselves here, in their own coordinates.
    virtual void paint(Canvas& canvas);
    void invalidate();

    // Notifications from the peer about what the user did.
    virtual void peerClicked();
    virtual void peerFocusLost();
    void peerTextChanged(const std::string& text) { text_ = text; }

    // The native window is made when the form's design has been applied, so
    // it starts with every stored property; later changes go straight to it.
    void loaded() override;

protected:
    // The peer exists: push the state it does not read by itself.
    virtual void peerCreated();

    void boundsChanged(const Rect& old) override;
    void visibleChanged() override;
    void enabledChanged() override;

private:
    ControlKind kind_;
    std::unique_ptr<ControlPeer> peer_;
    std::string text_;
    bool bold_ = false;
    int tabOrder_ = -1;
    bool centred_ = false;
};

}  // namespace fw
