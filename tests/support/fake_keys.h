// The keys the system hears, doubled: the test plays the listening thread
// and calls the listener itself while the source listens.
#pragma once

#include <string>

#include <vector>

#include "platform/key_input.h"
#include "platform/media_keys.h"

namespace testing_support {

class FakeKeys : public platform::KeyInput {
public:
    bool start(platform::KeyListener& l, std::string& error) override {
        ++starts;
        if (refuse) {
            error = "the system refused raw input";
            return false;
        }
        listener = &l;
        return true;
    }
    void stop() override { listener = nullptr; }
    void listenAgain() override { ++listenedAgain; }

    // A key down or up by `way`; whether the listener took it.
    bool press(unsigned vk, bool down, platform::KeyWay way = platform::KeyWay::hook, std::string device = {},
               bool ourField = false, std::uint32_t at = 0) {
        if (!listener) return false;
        platform::KeyStroke stroke;
        stroke.vk = vk;
        stroke.down = down;
        stroke.way = way;
        stroke.device = std::move(device);
        stroke.focusInOurField = ourField;
        return listener->key(stroke, at);
    }

    platform::KeyListener* listener = nullptr;
    bool refuse = false;
    int starts = 0;
    int listenedAgain = 0;
};

// The media keys sent, in order.
class FakeMediaKeys : public platform::MediaKeys {
public:
    bool send(platform::MediaKey key) override {
        sent.push_back(key);
        return true;
    }
    std::vector<platform::MediaKey> sent;
};

}  // namespace testing_support
