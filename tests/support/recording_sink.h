// A code sink that keeps what the receive loop fed it, as "code" for a
// serial code whose source could not tell press from held (the only kind
// the loop may feed), from any thread.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "ir/code_sink.h"

namespace testing_support {

class RecordingSink : public ir::CodeSink {
public:
    void feed(ir::CodeSource source, std::string code, ir::Arrival arrival) override {
        std::lock_guard lock(mutex_);
        fed_.push_back(source == ir::CodeSource::serial && arrival == ir::Arrival::unknown ? code : "unexpected " + code);
    }
    std::vector<std::string> codes() const {
        std::lock_guard lock(mutex_);
        return fed_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> fed_;
};

}  // namespace testing_support
