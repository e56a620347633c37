// What follows the HTTP parser: a request's method, target, fields and body
// as any peer on the network may send them, through the rules and the API.
// The input is a head of lines ("METHOD TARGET", then "Name: value"), an
// empty line, and the body. Whatever arrives, a foreign Host or Origin is
// never admitted, nothing reaches the remote unless a paired phone asked
// for a valid thing, every refusal is JSON without a CORS header, and a
// page of the play list holds at most its count of titles, in list order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/convert.h"
#include "fuzz_check.h"
#include "support/system_crypto.h"
#include "support/system_folding.h"
#include "web/api.h"

#include <nlohmann/json.hpp>

namespace {

constexpr const char* token = "00112233445566778899aabbccddeeff";

struct CheckingRemote : web::RemoteLink {
    bool asked = false;
    void command(const std::string& name) override {
        FUZZ_CHECK(name == "PLAY" || name == "STOP");
        asked = true;
    }
    void volume(int level) override {
        FUZZ_CHECK(level >= 0 && level <= 100);
        asked = true;
    }
    void track(std::int32_t number) override {
        FUZZ_CHECK(number >= 1);
        asked = true;
    }
    void listWanted(std::optional<std::int32_t> from) override {
        FUZZ_CHECK(!from || (*from >= 0 && *from <= web::maxListLength));
        asked = true;
    }
    void paired(const web::Phone& phone) override {
        FUZZ_CHECK(phone.hash.size() == 64);
        FUZZ_CHECK(web::cleanPhoneName(phone.name) == phone.name);
        asked = true;
    }
};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find("\n\n");
    std::string_view headText = input.substr(0, split);
    std::string_view body = split == std::string_view::npos ? std::string_view{} : input.substr(split + 2);

    web::Head head;
    bool first = true;
    while (!headText.empty()) {
        std::size_t end = headText.find('\n');
        std::string_view line = headText.substr(0, end);
        headText = end == std::string_view::npos ? std::string_view{} : headText.substr(end + 1);
        if (first) {
            first = false;
            std::size_t space = line.find(' ');
            head.method = std::string(line.substr(0, space));
            if (space != std::string_view::npos)
                head.target = std::string(line.substr(space + 1));
            continue;
        }
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::string_view name = line.substr(0, colon);
        std::string value(trimmed(line.substr(colon + 1)));
        if (fw::sameText(name, "host"))
            head.hosts.push_back(value);
        else if (fw::sameText(name, "origin"))
            head.origins.push_back(value);
        else if (fw::sameText(name, "content-type"))
            head.contentTypes.push_back(value);
        else if (fw::sameText(name, "cookie"))
            head.cookies.push_back(value);
        else if (fw::sameText(name, "authorization"))
            head.authorizations.push_back(value);
        else if (fw::sameText(name, "content-length"))
            head.contentLength = value.size();
    }

    testing_support::SystemCrypto crypto;
    CheckingRemote remote;
    web::Pairing pairing(crypto);
    web::Phones phones;
    auto digest = crypto.sha256(token);
    phones.add({web::hexOf(digest.data(), digest.size()), "2026-12-09", "Ana"});
    auto now = web::Clock::time_point{} + std::chrono::hours(1);
    web::Api api(remote, pairing, phones, crypto, [now] { return now; }, [] { return std::string("2026-12-09"); });
    api.setup({web::hostsOfThisPc({"192.168.1.23"}, "DESK", 8780), {"PLAY", "STOP"}, {{"/", "text/html", "page"}}});
    pairing.open(now);
    static const testing_support::SystemFolding folding;
    web::PlayList list([](std::string_view text) { return folding.fold(text); });
    list.reset(300);
    for (std::int32_t i = 0; i < 300; i += 2)
        list.setTitle(i, i % 3 ? "Song " + std::to_string(i) : "\xC8\x98tefan \xFF " + std::to_string(i));
    api.serveList(&list);

    auto verdict = api.screen(head);
    web::Reply reply;
    if (auto* refusal = std::get_if<web::Reply>(&verdict)) {
        reply = *refusal;
        FUZZ_CHECK(reply.status >= 400);
        FUZZ_CHECK(reply.contentType == "application/json");
        FUZZ_CHECK(reply.body.find("\"error\"") != std::string::npos);
    } else {
        FUZZ_CHECK(head.hosts.size() == 1);
        bool ours = false;
        for (const auto& host : web::hostsOfThisPc({"192.168.1.23"}, "DESK", 8780))
            ours = ours || fw::sameText(host, head.hosts.front());
        FUZZ_CHECK(ours);
        FUZZ_CHECK(head.origins.empty() || fw::sameText(head.origins.front(), "http://" + head.hosts.front()));
        reply = api.answer(head, std::get<web::Admitted>(verdict), body, web::WebState{});
        // Only pairing acts for a phone not yet paired.
        bool pairing = head.target.substr(0, head.target.find('?')) == "/api/v1/pair";
        if (remote.asked)
            FUZZ_CHECK(!std::get<web::Admitted>(verdict).phone.empty() || (pairing && reply.status == 200));
        if (head.target.substr(0, head.target.find('?')) == "/api/v1/playlist" && reply.status == 200) {
            auto page = nlohmann::json::parse(reply.body, nullptr, false);
            FUZZ_CHECK(page.is_object() && page["items"].is_array());
            FUZZ_CHECK(page["items"].size() <= web::maxListCount);
            std::int64_t last = 0;
            for (const auto& item : page["items"]) {
                const std::int64_t number = item["number"].get<std::int64_t>();
                FUZZ_CHECK(number > last && number <= 300);
                last = number;
            }
        }
    }
    if (!std::holds_alternative<web::Admitted>(verdict))
        FUZZ_CHECK(!remote.asked);
    for (const auto& [name, value] : reply.fields)
        FUZZ_CHECK(name.find("Access-Control") == std::string::npos);
    return 0;
}
