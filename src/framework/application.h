// The application object: title, forms (the first one created is the main
// form), the message loop, application-wide message hooks, work posted
// from other threads, and the display of an error that a handler raised.
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "framework/component.h"
#include "framework/host.h"
#include "framework/listeners.h"

namespace fw {

class Form;

class Application : public Component {
public:
    explicit Application(Host& host);
    ~Application() override;

    Host& host() const { return host_; }
    // The application that owns `component`, directly or not; none, or an
    // error from of(), when there is none.
    static Application* find(Component* component);
    static Application& of(Component* component);

    const std::string& title() const { return title_; }
    void setTitle(std::string title);

    template <class F, class... Args>
    F& createForm(Args&&... args) {
        return create<F>(std::forward<Args>(args)...);
    }
    Form* mainForm() const { return mainForm_; }
    const std::vector<Form*>& forms() const { return forms_; }

    // Whether run() shows the main form before entering the loop.
    bool showMainForm() const { return showMainForm_; }
    void setShowMainForm(bool v) { showMainForm_ = v; }

    // Serves messages until the main form closes or terminate() is called.
    void run();
    // Destroys every form now, for owners whose services the forms use and
    // that go before the application object does.
    void closeForms() { destroyComponents(); }
    void processMessages();
    void terminate();
    bool terminated() const { return terminated_; }
    // The program ends, whoever asks: the close key, a close from outside
    // (the task manager closes every window of ours), the end of the
    // user's session. What must not outlive the program (a device held, an
    // icon shown) is let go by the ending listeners, at once and once;
    // then the loop ends. At a session's end the system stops the process
    // soon after: nothing may wait for the loop.
    void end();
    [[nodiscard]] Subscription onEnding(std::function<void()> ending);

    // Application-wide hooks: each sees every message taken from the GUI
    // thread's queue before it is dispatched, in the order they were added;
    // one that answers true stops the message there. The hook stays until
    // its subscription ends.
    using MessageHook = std::function<bool(Message&)>;
    [[nodiscard]] Subscription addMessageHook(MessageHook hook);
    bool callMessageHook(Message& message);

    // Thread-safe: runs `work` on the GUI thread, in posting order.
    void post(std::function<void()> work);
    // Called by the host on the GUI thread.
    void runPosted();

    // Runs `work`; an error it raises is shown in a message box and the
    // caller goes on. Every call into our code from the host goes through
    // here, so no exception ever reaches the window system.
    template <class F>
    void guarded(F&& work) noexcept {
        try {
            work();
        } catch (const std::exception& e) {
            showError(e.what());
        } catch (...) {
            showError("Unknown error");
        }
    }
    void showError(const std::string& text) noexcept;
    void messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    WindowHandle owner = 0);
    // A question with Yes and No, No the default; true for Yes.
    bool askYesNo(const std::string& text, const std::string& caption, WindowHandle owner = 0) {
        return host_.askYesNo(owner, text, caption);
    }

    std::optional<std::string> chooseFile(const std::string& title, const std::vector<FileFilter>& filters,
                                          const std::string& initial, WindowHandle owner = 0) {
        return host_.chooseFile(owner, title, filters, initial);
    }

    // One object of type T for the whole application: made when first
    // asked for, gone when the last holder lets go of it.
    template <class T>
    std::shared_ptr<T> shared() {
        std::weak_ptr<void>& slot = shared_[std::type_index(typeid(T))];
        if (auto existing = slot.lock()) return std::static_pointer_cast<T>(existing);
        auto made = std::make_shared<T>();
        slot = made;
        return made;
    }

    // The system has woken from sleep; devices may have gone meanwhile.
    [[nodiscard]] Subscription onSystemResumed(std::function<void()> resumed);
    // Called by the host.
    void systemResumed();

    void minimize() { host_.minimizeApplication(); }
    void restore() { host_.restoreApplication(); }
    void bringToFront() { host_.bringApplicationToFront(); }
    std::string exeName() const { return host_.executablePath(); }

    // Kept by forms themselves.
    void formCreated(Form& form);
    void formDestroyed(Form& form);

private:
    Host& host_;
    std::string title_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool ended_ = false;
    Listeners<void()> ending_;
    Listeners<bool(Message&)> hooks_;
    Listeners<void()> resumed_;
    std::map<std::type_index, std::weak_ptr<void>> shared_;
    std::mutex postedMutex_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace fw
