#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>

#include "framework/application.h"
#include "support/fake_control.h"
#include "support/headless_host.h"
#include "widgets/cool_button.h"
#include "widgets/cool_form.h"

namespace {

using widgets::TCoolButton;
using widgets::TCoolForm;

std::vector<std::uint8_t> committedOutline() {
    std::ifstream in(std::string(ZAV_RESOURCES_DIR) + "/mask2.bin", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CoolFormTest : public ::testing::Test {
protected:
    CoolFormTest() : app(host), form(app.createForm<fw::Form>("Main")) {
        form.setClientSize({168, 311});
        skin = &form.create<TCoolForm>("CoolFormWinamp", regions);
    }
    testing_support::HeadlessHost host;
    testing_support::FakeRegions regions;
    fw::Application app;
    fw::Form& form;
    TCoolForm* skin;
};

TEST_F(CoolFormTest, FillsItsFormWhichBecomesBorderless) {
    EXPECT_EQ(form.borderStyle(), fw::BorderStyle::none);
    EXPECT_EQ(skin->bounds(), fw::Rect::fromSize(0, 0, 168, 311));
}

TEST_F(CoolFormTest, PositionIsPinnedAtTheCornerSizeIsTaken) {
    skin->setTop(57);
    skin->setLeft(57);
    skin->setWidth(200);
    EXPECT_EQ(skin->top(), 0);
    EXPECT_EQ(skin->left(), 0);
    EXPECT_EQ(skin->bounds().width(), 200);
}

TEST_F(CoolFormTest, TheCommittedOutlineRoundTripsByteForByteAndShapesTheWindow) {
    const auto payload = committedOutline();
    ASSERT_EQ(payload.size(), 2244u);
    skin->ReadMask2(payload);
    EXPECT_EQ(regions.calls, (std::vector<std::string>{"create " + std::to_string(payload.size() - 4),
                                                       "apply " + std::to_string(form.handle()) + " 1536"}));
    EXPECT_EQ(skin->WriteMask2(), payload);
    EXPECT_EQ(skin->MaskSize(), static_cast<std::int32_t>(payload.size() - 4));
}

struct PayloadCase {
    const char* what;
    std::vector<std::uint8_t> payload;
};

void PrintTo(const PayloadCase& c, std::ostream* os) {
    *os << c.what;
}

std::vector<std::uint8_t> truncated() {
    auto p = committedOutline();
    if (p.size() > 16) p.erase(p.end() - 16, p.end());
    return p;
}

std::vector<std::uint8_t> wrongCount() {
    auto p = committedOutline();
    p[12] ^= 1;  // nCount off by one
    return p;
}

std::vector<std::uint8_t> wrongHeader() {
    auto p = committedOutline();
    p[4] = 40;  // dwSize other than 32
    return p;
}

// A Mask2 payload of a well-formed block holding these rectangles
// (left, top, right, bottom).
std::vector<std::uint8_t> outlineOf(const std::vector<std::array<std::int32_t, 4>>& rects) {
    std::vector<std::int32_t> words{32, 1, static_cast<std::int32_t>(rects.size()),
                                    static_cast<std::int32_t>(16 * rects.size()), 0, 0, 169, 312};
    for (const auto& r : rects) words.insert(words.end(), r.begin(), r.end());
    std::vector<std::uint8_t> p;
    const auto put = [&](std::int32_t v) {
        for (int i = 0; i < 4; ++i) p.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    };
    put(static_cast<std::int32_t>(4 * words.size()));
    for (std::int32_t w : words) put(w);
    return p;
}

class BadOutlines : public CoolFormTest, public ::testing::WithParamInterface<PayloadCase> {};

TEST_P(BadOutlines, GiveARectangularWindowAndWriteFourZeroBytes) {
    skin->ReadMask2(GetParam().payload);
    for (const auto& call : regions.calls) EXPECT_EQ(call.rfind("apply", 0), std::string::npos) << call;
    EXPECT_EQ(skin->WriteMask2(), std::vector<std::uint8_t>(4, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadOutlines,
                         ::testing::Values(PayloadCase{"four zero bytes", {0, 0, 0, 0}},
                                           PayloadCase{"empty", {}},
                                           PayloadCase{"shorter than announced", truncated()},
                                           PayloadCase{"count does not match", wrongCount()},
                                           PayloadCase{"header size not 32", wrongHeader()},
                                           // Found by fuzzing: a window nobody could see or reach.
                                           PayloadCase{"no rectangles", outlineOf({})},
                                           PayloadCase{"only empty rectangles",
                                                       outlineOf({{5, 5, 5, 9}, {7, 9, 3, 12}})}));

TEST_F(CoolFormTest, OneRectangleIsAnOutline) {
    skin->ReadMask2(outlineOf({{5, 5, 5, 9}, {0, 0, 10, 10}}));
    EXPECT_EQ(skin->WriteMask2(), outlineOf({{5, 5, 5, 9}, {0, 0, 10, 10}}));
}

TEST_F(CoolFormTest, APictureChangeForgetsTheOutlineButTheWindowKeepsIt) {
    skin->ReadMask2(committedOutline());
    skin->setPicture(fw::Bitmap(10, 10, fw::colors::red));
    EXPECT_EQ(skin->WriteMask2(), std::vector<std::uint8_t>(4, 0));
    for (const auto& call : regions.calls)
        EXPECT_EQ(call.rfind("destroy", 0), std::string::npos) << "the window owns it";

    regions.failApply = true;
    skin->ReadMask2(committedOutline());
    skin->setPicture(fw::Bitmap(10, 10, fw::colors::blue));
    EXPECT_EQ(regions.calls.back().rfind("destroy", 0), 0u) << "a region no window took is released";
}

TEST_F(CoolFormTest, ALeftPressOnBareSkinMovesTheWindowOthersDoNot) {
    auto& key = form.create<TCoolButton>("CBPlay");
    key.setBounds(fw::Rect::fromSize(20, 190, 25, 17));
    int clicks = 0;
    key.onClick = [&](fw::Component&) { ++clicks; };
    host.press(form, {80, 20});
    host.release(form, {80, 20});
    EXPECT_EQ(host.state(form).moves, 1);
    host.press(form, {80, 20}, fw::MouseButton::right);
    host.release(form, {80, 20}, fw::MouseButton::right);
    host.press(form, {80, 20}, fw::MouseButton::middle);
    host.release(form, {80, 20}, fw::MouseButton::middle);
    EXPECT_EQ(host.state(form).moves, 1);
    host.click(form, {30, 195});
    EXPECT_EQ(host.state(form).moves, 1) << "a press on a key is the key's";
    EXPECT_EQ(clicks, 1);
    skin->setDraggable(false);
    host.click(form, {80, 20});
    EXPECT_EQ(host.state(form).moves, 1) << "a skin that is not draggable stays put";
}

TEST_F(CoolFormTest, PaintsItsPictureFromTheTopLeftCorner) {
    fw::Bitmap picture(169, 312, fw::colors::blue);
    picture.setPixel(0, 0, fw::colors::red);
    picture.setPixel(167, 310, fw::colors::lime);
    skin->setPicture(picture);
    const auto pixels = host.render(form);
    EXPECT_EQ(pixels.bitmap().pixel(0, 0), fw::colors::red);
    EXPECT_EQ(pixels.bitmap().pixel(167, 310), fw::colors::lime) << "all but the last column and row show";
}

}  // namespace
