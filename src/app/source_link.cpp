#include "app/source_link.h"

namespace app {

std::string SourceLink::statusText() const {
    std::string text = std::string(label()) + ": ";
    switch (status_.state) {
        case SourceState::off: return text + "off";
        case SourceState::trying: return text + "trying";
        case SourceState::live: return text + "live";
        case SourceState::failed: return text + "failed" + (status_.reason.empty() ? "" : ": " + status_.reason);
    }
    return text;
}

void SourceLink::report(SourceState state, std::string reason) {
    SourceStatus status{state, state == SourceState::failed ? std::move(reason) : std::string()};
    if (status == status_) return;
    status_ = std::move(status);
    statusListeners_(status_);
}

}  // namespace app
