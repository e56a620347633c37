// A remote for the web server alone: the commands a phone asked for, in
// order, kept safely from the server's thread.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "web/web_remote.h"

namespace testing_support {

struct CountingRemote : web::RemoteLink {
    std::mutex lock;
    std::vector<std::string> asked;
    void command(const std::string& name) override {
        std::lock_guard hold(lock);
        asked.push_back(name);
    }
    void volume(int) override {}
    void track(std::int32_t) override {}
    void paired(const web::Phone&) override {}
    std::size_t count() {
        std::lock_guard hold(lock);
        return asked.size();
    }
};

}  // namespace testing_support
