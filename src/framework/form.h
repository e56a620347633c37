// A top-level window. It paints its graphic controls in z-order (the first
// created lies at the bottom), routes each mouse message to the topmost
// visible, enabled graphic control under the pointer or to the one holding
// the capture, follows the control under the pointer for hints, and can be
// shown modally.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace fw {

class Application;

enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class Form : public Component {
public:
    Form(Component* owner, std::string name);
    ~Form() override;

    Application& application() const { return app_; }
    FormPeer& peer() const { return *peer_; }
    WindowHandle handle() const { return peer_->handle(); }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    const std::string& hint() const { return hint_; }
    void setHint(std::string hint) { hint_ = std::move(hint); }
    Size clientSize() const { return clientSize_; }
    void setClientSize(Size size);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    Color color() const { return color_; }
    void setColor(Color c);
    bool showHints() const { return showHints_; }
    void setShowHints(bool v) { showHints_ = v; }
    void centreOnScreen();
    void placeBottomRight(int margin);

    bool visible() const { return visible_; }
    void show();
    void hide();
    void setVisible(bool v) { v ? show() : hide(); }
    // Ends a modal display, or hides the form; closing the main form ends
    // the application.
    void close();
    // The user asks to leave the window (Alt+F4, its close command): a
    // modal display ends as a cancel; any other window of ours asked to
    // close ends the program, as a close from outside does.
    void closeAsked();
    // The user asks to cancel (Esc): a modal display ends as a cancel;
    // other windows do nothing. A form may give Esc a meaning of its own.
    virtual void cancelAsked();
    // Ctrl+Tab (by 1) or Ctrl+Shift+Tab (by -1): the form's tabs, if it
    // has any, move on to another page.
    void pageAsked(int by);
    int showModal();
    bool isModal() const { return modal_; }
    int modalResult() const { return modalResult_; }
    void setModalResult(int r) { modalResult_ = r; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    // Called after the form was shown or hidden.
    virtual void visibilityChanged() {}

    // Runs after the design has been applied: every component is loaded,
    // then the creation handler runs.
    Handler onCreate;
    void finishCreate();

    // Called by the host.
    void paint(Canvas& canvas, const Rect& area);
    void mouseDown(MouseButton button, const MouseState& state, Point at);
    void mouseMove(const MouseState& state, Point at);
    void mouseUp(MouseButton button, const MouseState& state, Point at);
    void mouseLeftWindow();
    void captureLost();
    // The hint for the control under the pointer, empty for none.
    std::string currentHint() const;

    GraphicControl* controlAt(Point at, bool includeDisabled = false) const;
    GraphicControl* captureControl() const { return capture_; }
    // Where the pointer was at the last mouse message, in client coordinates.
    Point pointer() const { return pointer_; }
    GraphicControl* hoverControl() const { return hover_; }
    const std::vector<GraphicControl*>& graphicControls() const { return graphics_; }

    void invalidate(const Rect& area);
    void invalidate();

    // Kept by controls themselves.
    void attach(GraphicControl& control);
    void detach(GraphicControl& control);
    void controlChanged(Control& control);
    std::unique_ptr<ControlPeer> createPeerFor(WinControl& control);

private:
    GraphicControl* routeTarget(Point at) const;
    // Gives up the capture: whoever holds it, or only `holder`.
    void releaseCapture(const GraphicControl* holder = nullptr);
    void setHover(GraphicControl* control);

    Application& app_;
    std::unique_ptr<FormPeer> peer_;
    std::string caption_;
    std::string hint_;
    Size clientSize_{320, 240};
    BorderStyle borderStyle_ = BorderStyle::dialog;
    Color color_ = colors::buttonFace;
    bool showHints_ = true;
    bool visible_ = false;
    bool enabled_ = true;
    bool modal_ = false;
    int modalResult_ = mrNone;
    std::vector<GraphicControl*> graphics_;
    GraphicControl* capture_ = nullptr;
    GraphicControl* hover_ = nullptr;
    Point pointer_{-1, -1};
};

}  // namespace fw
