// The setup dialog's tabs and its "Phone" page: one page shows at a time,
// Ctrl+Tab goes round them, a control hidden for its own reasons stays
// hidden; the phone remote turned on with Ok, its address or what keeps
// it from listening, pairing in the "Pair a phone" window and forgetting.
#include <gtest/gtest.h>

#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <thread>

#include "app/pair_phone.h"
#include "app/web_link.h"
#include "support/loopback_client.h"
#include "support/raster_canvas.h"
#include "setup_dialog_fixture.h"

namespace {

using namespace std::chrono_literals;
using testing_support::freePort;
using testing_support::SetupDialog;
using testing_support::statusOf;

class PhonePage : public SetupDialog {
protected:
    std::uint16_t port = freePort();
    std::string web(const std::string& more = "ENABLED=1\r\n") {
        return "[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n[WEB]\r\nPORT=" + std::to_string(port) + "\r\n" + more;
    }
    void choosePage(const std::string& title) {
        host.typeText(*dialog->TabsSetup, title);
        host.clickControl(*dialog->TabsSetup);
    }
    // What a phone gets back for `body` sent to the pairing address, with
    // the GUI thread's turns meanwhile.
    std::string pairWith(const std::string& body) {
        std::string reply = testing_support::askWithTurns(
            port,
            "POST /api/v1/pair HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                "\r\nConnection: close\r\nContent-Type: application/json\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\n\r\n" + body,
            [&] { host.runPosted(); });
        for (int i = 0; i < 10; ++i) {
            std::this_thread::sleep_for(5ms);
            host.runPosted();
        }
        return reply;
    }
    fw::Form* pairWindow() {
        for (fw::Form* f : application->forms())
            if (dynamic_cast<app::TFormaPair*>(f)) return f;
        return nullptr;
    }
};

TEST_F(PhonePage, OnePageShowsAtATimeAndCtrlTabGoesRoundThem) {
    open();
    const fw::TabControl& tabs = *dialog->TabsSetup;
    const auto showsOnly = [&](int page) {
        for (const auto& c : dialog->components()) {
            auto* control = dynamic_cast<fw::WinControl*>(c.get());
            if (!control || !control->visible()) continue;
            const int on = tabs.pageOf(*control);
            const bool expected = on < 0 || on == page;
            EXPECT_EQ(control->showing(), expected) << control->name() << " with page " << page;
            EXPECT_EQ(host.state(*control).visible, expected) << control->name() << "'s window with page " << page;
        }
    };
    EXPECT_EQ(tabs.text(), "Receiver") << "the first page at first";
    showsOnly(0);
    for (int page : {3, 1, 2, 0}) {
        choosePage(tabs.titles()[static_cast<std::size_t>(page)]);
        showsOnly(page);
    }
    struct Step {
        int by;
        const char* lands;
    };
    for (const Step& step : {Step{1, "Handset codes"}, Step{1, "Options"}, Step{1, "Phone"}, Step{1, "Receiver"},
                             Step{-1, "Phone"}, Step{-1, "Options"}}) {
        const int focus = host.state(tabs).focusRequests;
        dialog->pageAsked(step.by);
        EXPECT_EQ(tabs.text(), step.lands) << "by " << step.by;
        EXPECT_EQ(host.state(*dialog->TabsSetup).textValue, step.lands) << "the tabs' window says so too";
        EXPECT_EQ(host.state(tabs).focusRequests, focus + 1) << "the focus leaves the page that went";
        showsOnly(tabs.pageIndex());
    }
}

TEST_F(PhonePage, TheDialogOpensOnItsFirstPage) {
    open();
    std::vector<std::string> seen;
    host.onModal = [&](fw::Form&) {
        seen.push_back(dialog->TabsSetup->text());
        choosePage("Phone");
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
    click("CBSetIR");
    EXPECT_EQ(seen, (std::vector<std::string>{"Receiver", "Receiver"})) << "left on Phone, opened on Receiver";
}

TEST_F(PhonePage, AWalksButtonsShowOnlyOnTheirPageAndOnlyWhileItWalks) {
    open();
    choosePage("Handset codes");
    EXPECT_FALSE(dialog->ButtonSkip->showing());
    choosePage("Options");
    choosePage("Handset codes");
    EXPECT_FALSE(dialog->ButtonSkip->showing()) << "hidden for its own reason, it stays hidden";
    host.clickControl(*dialog->ButtonLearnAll);
    EXPECT_TRUE(dialog->ButtonSkip->showing());
    choosePage("Phone");
    EXPECT_FALSE(dialog->ButtonSkip->showing());
    EXPECT_FALSE(host.state(*dialog->ButtonStop).visible);
    choosePage("Handset codes");
    EXPECT_TRUE(host.state(*dialog->ButtonStop).visible);
}

TEST_F(PhonePage, OkTurnsTheRemoteOnWhichThenShowsItsAddressAndPairs) {
    open(web(""));
    bool checked = false;
    host.onModal = [&](fw::Form&) {
        checked = true;
        EXPECT_EQ(dialog->LabelWebStatus->text(), "Phone remote: off");
        EXPECT_EQ(dialog->LabelWebUrl->text(), "");
        EXPECT_FALSE(dialog->ButtonPair->enabled()) << "nothing to pair with";
        EXPECT_EQ(dialog->SEWebPort->value(), port);
        EXPECT_EQ(host.state(*dialog->CBWebAddress).items, (std::vector<std::string>{"192.168.1.23", "fe80::1"}));
        EXPECT_EQ(dialog->LabelPhones->text(), "Paired phones: 0");
        EXPECT_FALSE(dialog->ButtonForgetPhones->enabled());
        dialog->CheckBoxWeb->setChecked(true);
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
    ASSERT_TRUE(checked);
    EXPECT_NE(fileText().find("[WEB]\r\nPORT=" + std::to_string(port) + "\r\nENABLED=1\r\n"), std::string::npos)
        << fileText();
    EXPECT_EQ(remote->Web->statusText(), "Phone remote: live");
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->LabelWebStatus->text(), "Phone remote: live");
        EXPECT_EQ(dialog->LabelWebUrl->text(), "http://192.168.1.23:" + std::to_string(port));
        EXPECT_TRUE(dialog->ButtonPair->enabled());
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
}

TEST_F(PhonePage, APortInUseIsSaidInWordsAndNothingPairs) {
    boost::asio::io_context io;
    boost::asio::ip::tcp::acceptor holder(io, {boost::asio::ip::address_v4::any(), port});
    open(web());
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->LabelWebUrl->text(), "port " + std::to_string(port) + " is in use by another program");
        EXPECT_FALSE(dialog->ButtonPair->enabled());
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
}

TEST_F(PhonePage, ThePairingWindowShowsTheCodeAndWhoPairedAndTheCodeDiesWithIt) {
    open(web());
    std::string link, code;
    host.onModal = [&](fw::Form& modal) {
        if (&modal == dialog) {
            if (!pairWindow() || !pairWindow()->visible()) {
                if (link.empty()) host.clickControl(*dialog->ButtonPair);
                else host.clickControl(*dialog->ButtonOk);
            }
            return;
        }
        auto& pair = dynamic_cast<app::TFormaPair&>(modal);
        EXPECT_EQ(pair.caption(), "Pair a phone");
        link = pair.LabelAddress->text();
        const std::string start = "http://192.168.1.23:" + std::to_string(port) + "/pair#";
        ASSERT_EQ(link.substr(0, start.size()), start);
        code = link.substr(start.size());
        ASSERT_EQ(code.size(), 6u) << link;
        EXPECT_EQ(code.find_first_not_of("0123456789"), std::string::npos) << link;
        EXPECT_EQ(pair.LabelCode->text(), "Code: " + code.substr(0, 3) + " " + code.substr(3));
        EXPECT_EQ(pair.LabelValid->text(), "Valid for 2 minutes");
        EXPECT_GT(pair.QrCode->modules().size, 20) << "a code a camera reads";
        EXPECT_EQ(pair.QrCode->modules().dark, web::qrCodeOf(link).dark) << "of the address shown";
        EXPECT_EQ(statusOf(pairWith(R"({"code":")" + code + R"(","name":"Ana's phone"})")), "HTTP/1.1 200 OK");
        EXPECT_EQ(pair.LabelPaired->text(), "Paired: Ana's phone");
        EXPECT_EQ(dialog->LabelPhones->text(), "Paired phones: 1") << "the dialog beneath follows";
        host.fireTimer(*pair.TimerValid);
        EXPECT_EQ(pair.LabelValid->text(), "") << "a used code is not said to be void";
        host.clickControl(*pair.ButtonClose);
    };
    click("CBSetIR");
    ASSERT_FALSE(code.empty());
    EXPECT_FALSE(remote->Web->pairingOpen());
    ASSERT_EQ(settings->Phones.size(), 1u);
    EXPECT_EQ(host.state(*dialog->ListPhones).items,
              (std::vector<std::string>{"Ana's phone (" + settings->Phones[0].date + ")"}));
}

TEST_F(PhonePage, ACodeVoidedByWrongTriesIsSaidToBeAndTheWindowClosingVoidsIt) {
    open(web());
    std::string code;
    bool paired = false;
    host.onModal = [&](fw::Form& modal) {
        if (&modal == dialog) {
            if (code.empty()) host.clickControl(*dialog->ButtonPair);
            else if (!paired) {
                // Opened afresh, a new code; closed, it is void.
                paired = true;
                EXPECT_EQ(statusOf(pairWith(R"({"code":")" + code + R"("})")), "HTTP/1.1 429 Too Many Requests");
                host.clickControl(*dialog->ButtonOk);
            }
            return;
        }
        auto& pair = dynamic_cast<app::TFormaPair&>(modal);
        code = pair.LabelAddress->text().substr(pair.LabelAddress->text().size() - 6);
        const std::string wrong = code == "000000" ? "000001" : "000000";
        for (int i = 0; i < 5; ++i) pairWith(R"({"code":")" + wrong + R"("})");
        host.fireTimer(*pair.TimerValid);
        EXPECT_EQ(pair.LabelValid->text(), "No longer valid: close this window and pair again");
        pair.cancelAsked();
    };
    click("CBSetIR");
    EXPECT_TRUE(paired);
    EXPECT_TRUE(settings->Phones.empty());
}

TEST_F(PhonePage, ForgetDropsTheChosenPhoneAndForgetPhonesEveryOne) {
    const std::string a(64, 'a'), b(64, 'b'), c(64, 'c');
    open(web() + "[WEB_PHONES]\r\n" + a + "=2026-01-02 Ana\r\n" + b + "=2026-03-04 Ion\r\n" + c +
         "=2026-05-06 Eva\r\n");
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(host.state(*dialog->ListPhones).items,
                  (std::vector<std::string>{"Ana (2026-01-02)", "Ion (2026-03-04)", "Eva (2026-05-06)"}));
        EXPECT_EQ(dialog->LabelPhones->text(), "Paired phones: 3");
        host.clickControl(*dialog->ButtonForgetPhone);
        EXPECT_EQ(dialog->LabelPhones->text(), "Paired phones: 3") << "none chosen, none forgotten";
        host.typeText(*dialog->ListPhones, "Ion (2026-03-04)");
        host.clickControl(*dialog->ButtonForgetPhone);
        EXPECT_EQ(host.state(*dialog->ListPhones).items,
                  (std::vector<std::string>{"Ana (2026-01-02)", "Eva (2026-05-06)"}));
        EXPECT_EQ(fileText().find(b), std::string::npos) << "gone from the file at once";
        EXPECT_NE(fileText().find(a), std::string::npos);
        host.clickControl(*dialog->ButtonForgetPhones);
        EXPECT_TRUE(host.state(*dialog->ListPhones).items.empty());
        EXPECT_EQ(dialog->LabelPhones->text(), "Paired phones: 0");
        EXPECT_FALSE(dialog->ButtonForgetPhones->enabled());
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
    EXPECT_EQ(fileText().find(a), std::string::npos);
    EXPECT_TRUE(settings->Phones.empty());
}

// Drawn at any size, every module is a square of whole pixels in its place,
// with at least four modules of white around the code, as readers need.
TEST(QrPictureTest, DrawsEachModuleWholeWithItsQuietZoneAtAnySize) {
    const web::QrModules modules = web::qrCodeOf("http://[fe80::1234:5678:9abc:def0]:8780/pair#482913");
    ASSERT_GT(modules.size, 0);
    for (int side : {modules.size + 8, 160, 272, 301}) {
        app::QrPicture picture(nullptr, "QrCode");
        picture.setBounds(fw::Rect::fromSize(0, 0, side, side));
        picture.setModules(modules);
        testing_support::RasterCanvas canvas({side, side}, fw::colors::gray);
        picture.paint(canvas);
        const fw::Bitmap& drawn = canvas.bitmap();
        const int pixels = side / (modules.size + 2 * web::qrQuietZone);
        const int left = (side - modules.size * pixels) / 2;
        EXPECT_GE(left, web::qrQuietZone * pixels) << side;
        int wrong = 0;
        for (int y = -web::qrQuietZone; y < modules.size + web::qrQuietZone; ++y)
            for (int x = -web::qrQuietZone; x < modules.size + web::qrQuietZone; ++x)
                for (auto [dx, dy] : {std::pair{0, 0}, std::pair{pixels - 1, pixels - 1}}) {
                    const fw::Color expected = modules.at(x, y) ? fw::colors::black : fw::colors::white;
                    wrong += drawn.pixel(left + x * pixels + dx, left + y * pixels + dy) != expected;
                }
        EXPECT_EQ(wrong, 0) << "at " << side << " pixels a side";
    }
    EXPECT_EQ(web::qrCodeOf(std::string(3000, 'x')).size, 0) << "too long for any code: nothing drawn";
}

TEST(PairingCode, IsReadOutInTwoGroupsOfThree) {
    EXPECT_EQ(app::codeText("482913"), "Code: 482 913");
    EXPECT_EQ(app::codeText("0012"), "Code: 0012") << "anything else as it is";
}

}  // namespace
