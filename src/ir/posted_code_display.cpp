#include "ir/posted_code_display.h"

namespace ir {

PostedCodeDisplay::PostedCodeDisplay(fw::Application& app) : app_(app), shared_(std::make_shared<Shared>()) {}

fw::Subscription PostedCodeDisplay::onShown(Show show) { return shared_->shown.add(std::move(show)); }

fw::Subscription PostedCodeDisplay::onPassedBy(Passed passed) { return shared_->passed.add(std::move(passed)); }

void PostedCodeDisplay::setVisible(bool visible) { shared_->visible = visible; }

bool PostedCodeDisplay::visible() const { return shared_->visible.load(); }

void PostedCodeDisplay::deliver(const std::string& code) {
    const std::uint32_t at = app_.host().tickCount();
    app_.post([shared = shared_, code, at] {
        if (shared->visible) shared->shown(code, at);
    });
}

void PostedCodeDisplay::passedBy(const std::string& code, Arrival arrival) {
    const std::uint32_t at = app_.host().tickCount();
    app_.post([shared = shared_, code, at, arrival] {
        if (!shared->visible) shared->passed(code, at, arrival);
    });
}

}  // namespace ir
