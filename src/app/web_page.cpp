#include "app/web_page.h"

#include <nlohmann/json.hpp>
#include <string_view>

#include "app/zav_amp_design.h"

namespace app {

namespace {

using nlohmann::json;

json rectOf(const fw::Rect& r) {
    return {{"x", r.left}, {"y", r.top}, {"w", r.right - r.left}, {"h", r.bottom - r.top}};
}

// The patches that hide an indicator painted on the skin, and what each
// hides: the page shows them as the main window does.
constexpr std::string_view patchNames[] = {"IPlay",       "IPause",   "IStop", "IRepeat", "INonRepeat",
                                           "INonAleator", "IAleator", "IWOn",  "IMute",   "IIR"};

}  // namespace

std::string remoteLayoutJson() {
    json layout = {{"width", 168}, {"height", 311}, {"keys", json::array()}, {"patches", json::object()}};
    const auto rows = zavAmpDesign();
    for (const CommandKey& key : commandKeys())
        for (const auto& row : rows)
            if (row.make == key.make) {
                json place = rectOf(row.bounds);
                place["command"] = key.command;
                layout["keys"].push_back(place);
            }
    for (const auto& row : rows) {
        const std::string_view name = row.name;
        if (name == "CoolFormWinamp") {
            layout["width"] = row.bounds.right - row.bounds.left;
            layout["height"] = row.bounds.bottom - row.bounds.top;
        } else if (name == "LCDTime" || name == "LCDTrack") {
            layout["readouts"][name == "LCDTime" ? "time" : "track"] = rectOf(row.bounds);
        } else {
            for (std::string_view patch : patchNames)
                if (name == patch) layout["patches"][std::string(name)] = rectOf(row.bounds);
        }
    }
    return layout.dump();
}

}  // namespace app
