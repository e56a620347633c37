// The code display as the receive thread sees it: the visibility is an
// atomic flag the GUI thread keeps, and a delivered text travels to the GUI
// thread through Application::post, stamped with the time it came, where it
// is shown only if the display is still there and still visible. A text
// that came while the display was hidden travels the same way to everyone
// who listens for it, and reaches them only if the display is still hidden.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/application.h"
#include "framework/listeners.h"
#include "ir/com_thread.h"

namespace ir {

// How a code that came relates to the key before it. The serial receiver
// cannot tell (its codes are told apart by their timing); a server says
// whether its key is a new press or the same key still held.
enum class Arrival { timed, press, held };

class PostedCodeDisplay : public CodeDisplay {
public:
    using Show = std::function<void(const std::string& code, std::uint32_t receivedAt)>;
    using Passed = std::function<void(const std::string& code, std::uint32_t receivedAt, Arrival arrival)>;

    explicit PostedCodeDisplay(fw::Application& app);

    // GUI thread only. Each listener hears until its subscription ends.
    [[nodiscard]] fw::Subscription onShown(Show show);
    [[nodiscard]] fw::Subscription onPassedBy(Passed passed);
    void setVisible(bool visible);

    // Any thread.
    bool visible() const override;

    void deliver(const std::string& code) override;
    void passedBy(const std::string& code) override { passedBy(code, Arrival::timed); }
    void passedBy(const std::string& code, Arrival arrival);

private:
    // Shared with work already posted, which may outlive this object.
    struct Shared {
        std::atomic<bool> visible{false};
        fw::Listeners<void(const std::string&, std::uint32_t)> shown;   // GUI thread only
        fw::Listeners<void(const std::string&, std::uint32_t, Arrival)> passed;  // GUI thread only
    };
    fw::Application& app_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace ir
