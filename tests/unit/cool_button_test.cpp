#include <gtest/gtest.h>

#include "framework/application.h"
#include "support/headless_host.h"
#include "widgets/cool_button.h"

#include <memory>

namespace {

using fw::MouseButton;
using widgets::TButtonGlyph;
using widgets::TCoolButton;
using widgets::TGlyphCache;

class CoolButtonTest : public ::testing::Test {
protected:
    CoolButtonTest() : app(host), form(app.createForm<fw::Form>("Main")) {
        form.setClientSize({200, 100});
        button = &form.create<TCoolButton>("CBPlay");
        button->setBounds(fw::Rect::fromSize(20, 30, 25, 17));
        button->onClick = [this](fw::Component&) { ++clicks; };
        button->OnDblClick = [this](fw::Component&) { ++doubleClicks; };
    }
    // Paint calls that fall inside the button.
    std::size_t callsInButton() {
        std::size_t n = 0;
        const auto canvas = host.record(form);
        for (const auto& c : canvas.calls())
            if (!c.rect.intersect(button->bounds()).empty() &&
                c.kind != testing_support::DrawCall::Kind::fillRect)
                ++n;
        return n;
    }

    testing_support::HeadlessHost host;
    fw::Application app;
    fw::Form& form;
    TCoolButton* button;
    int clicks = 0;
    int doubleClicks = 0;
};

TEST_F(CoolButtonTest, AGlyphlessButtonPaintsNothingInAnyStateAndClicksOnce) {
    EXPECT_EQ(callsInButton(), 0u);
    host.move(form, {30, 35});
    EXPECT_EQ(callsInButton(), 0u) << "hovered";
    host.press(form, {30, 35});
    EXPECT_EQ(callsInButton(), 0u) << "held";
    host.move(form, {150, 80});
    EXPECT_EQ(callsInButton(), 0u) << "dragged off";
    host.move(form, {30, 35});
    host.release(form, {30, 35});
    EXPECT_EQ(callsInButton(), 0u) << "released";
    EXPECT_EQ(clicks, 1);
}

struct ReleaseCase {
    const char* what;
    fw::Point release;
    bool backInFirst;
    int clicks;
};

void PrintTo(const ReleaseCase& c, std::ostream* os) {
    *os << c.what;
}

class Releases : public CoolButtonTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(Releases, ClickOnlyInside) {
    host.press(form, {30, 35});
    host.move(form, {100, 90});
    if (GetParam().backInFirst) host.move(form, {31, 36});
    host.release(form, GetParam().release);
    EXPECT_EQ(clicks, GetParam().clicks);
    EXPECT_FALSE(button->Tracking());
}

INSTANTIATE_TEST_SUITE_P(Cases, Releases,
                         ::testing::Values(ReleaseCase{"outside", {100, 90}, false, 0},
                                           ReleaseCase{"moved back in", {31, 36}, true, 1},
                                           ReleaseCase{"last pixel inside", {44, 46}, false, 1},
                                           ReleaseCase{"one below the bottom edge", {30, 47}, false, 0},
                                           ReleaseCase{"one right of the right edge", {45, 35}, false, 0}));

TEST_F(CoolButtonTest, ADoubleClickOnAPlainButtonIsTwoClicks) {
    host.click(form, {30, 35});
    fw::MouseState second;
    second.left = true;
    second.doubleClick = true;
    app.guarded([&] { form.mouseDown(MouseButton::left, second, {30, 35}); });
    host.release(form, {30, 35});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubleClicks, 0);
}

TEST_F(CoolButtonTest, ARightReleaseWhileTheLeftIsHeldEndsTheTracking) {
    host.press(form, {30, 35});
    EXPECT_TRUE(button->Tracking());
    host.press(form, {30, 35}, MouseButton::right);
    host.release(form, {30, 35}, MouseButton::right);
    EXPECT_FALSE(button->Tracking());
    host.release(form, {30, 35});
    EXPECT_EQ(clicks, 1) << "the right release was the click; the left one finds no tracking";
}

// A strip of four 25 x 17 cells, each filled with its own colour but for a
// transparent (bottom-left) pixel area along the bottom row.
fw::Bitmap fourCells() {
    const fw::Color cell[] = {fw::colors::red, fw::colors::blue, fw::colors::lime, fw::colors::white};
    fw::Bitmap strip(100, 17, fw::colors::olive);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 12; ++y) strip.setPixel(x, y, cell[x / 25]);
    return strip;
}

TEST_F(CoolButtonTest, HotOnlyOverAnOpaqueGlyphPixel) {
    button->setGlyph(fourCells());
    host.move(form, {22, 45});  // (2, 15): transparent
    EXPECT_FALSE(button->MouseOver());
    EXPECT_EQ(host.render(form).bitmap().pixel(22, 32), fw::colors::red) << "the up image";
    host.move(form, {22, 32});  // (2, 2): opaque
    EXPECT_TRUE(button->MouseOver());
    auto shown = host.render(form).bitmap();
    EXPECT_EQ(shown.pixel(22, 32), fw::colors::white) << "the hot image, cell 3";
    EXPECT_EQ(shown.pixel(22, 45), form.color()) << "masked pixels leave what lies beneath";
    host.press(form, {22, 32});
    EXPECT_EQ(host.render(form).bitmap().pixel(22, 32), fw::colors::lime) << "held: cell 2";
    host.release(form, {22, 32});
    EXPECT_FALSE(button->MouseOver()) << "after a click the button shows up until the pointer moves";
    button->setEnabled(false);
    EXPECT_EQ(host.render(form).bitmap().pixel(22, 32), fw::colors::blue) << "disabled: cell 1";
}

struct StripCase {
    int width, height, cells;
};

void PrintTo(const StripCase& c, std::ostream* os) {
    *os << c.width << " x " << c.height;
}

class Strips : public CoolButtonTest, public ::testing::WithParamInterface<StripCase> {};

TEST_P(Strips, CellCountFollowsTheShape) {
    button->setGlyph(fw::Bitmap(GetParam().width, GetParam().height, fw::colors::red));
    EXPECT_EQ(button->NumGlyphs(), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(Cases, Strips,
                         ::testing::Values(StripCase{75, 25, 3}, StripCase{100, 17, 4}, StripCase{150, 25, 1},
                                           StripCase{25, 25, 1}, StripCase{100, 25, 4}));

TEST_F(CoolButtonTest, NumGlyphsAboveFourIsFourAndANegativeMarginIsIgnored) {
    button->setNumGlyphs(9);
    EXPECT_EQ(button->NumGlyphs(), 4);
    button->setMargin(-5);
    EXPECT_EQ(button->Margin(), -1);
    button->setMargin(3);
    EXPECT_EQ(button->Margin(), 3);
}

TEST_F(CoolButtonTest, GlyphOfAFullCellSitsAtTheCornerWithoutACaption) {
    button->setGlyph(fourCells());
    testing_support::RecordingCanvas canvas;
    const auto face = button->LayoutFace(canvas, {25, 17});
    EXPECT_EQ(face.glyph, (fw::Point{0, 0}));
}

TEST_F(CoolButtonTest, GroupMembersLatchOneAtATime) {
    auto& second = form.create<TCoolButton>("Second");
    second.setBounds(fw::Rect::fromSize(60, 30, 25, 17));
    button->setGroupIndex(1);
    second.setGroupIndex(1);
    host.click(form, {30, 35});
    EXPECT_TRUE(button->Down());
    host.click(form, {70, 35});
    EXPECT_TRUE(second.Down());
    EXPECT_FALSE(button->Down()) << "the other member is raised";
    host.click(form, {70, 35});
    EXPECT_TRUE(second.Down()) << "AllowAllUp false: a latched member stays down";
    fw::MouseState dbl;
    dbl.left = true;
    dbl.doubleClick = true;
    app.guarded([&] { form.mouseDown(MouseButton::left, dbl, {70, 35}); });
    host.release(form, {70, 35});
    EXPECT_EQ(doubleClicks, 0);
    int secondDouble = 0;
    second.OnDblClick = [&](fw::Component&) { ++secondDouble; };
    app.guarded([&] { form.mouseDown(MouseButton::left, dbl, {70, 35}); });
    host.release(form, {70, 35});
    EXPECT_EQ(secondDouble, 1) << "a double click on a latched button";
}

TEST_F(CoolButtonTest, DownOnAnUngroupedButtonStaysUp) {
    button->setDown(true);
    EXPECT_FALSE(button->Down());
}

TEST(GlyphCache, ListsAreSharedByCellSizeAndGoWithTheirLastImageAndTheCacheWithTheLastButton) {
    testing_support::HeadlessHost host;
    std::weak_ptr<TGlyphCache> shared;
    {
        fw::Application app(host);
        auto& form = app.createForm<fw::Form>("Main");
        auto& a = form.create<TCoolButton>("A");
        auto& b = form.create<TCoolButton>("B");
        EXPECT_EQ(&a.glyphCache(), &b.glyphCache()) << "one cache for the application's buttons";
        shared = app.shared<TGlyphCache>();
        EXPECT_EQ(shared.lock().get(), &a.glyphCache());
        a.setGlyph(fourCells());
        b.setGlyph(fourCells());
        host.record(form);
        const TGlyphCache& cache = a.glyphCache();
        ASSERT_NE(cache.FindList({25, 17}), nullptr);
        EXPECT_EQ(cache.FindList({25, 17})->Count(), 2) << "both buttons' up images in one list";
        EXPECT_EQ(cache.FindList({25, 25}), nullptr) << "no list for a size nobody uses";
        a.setGlyph(fw::Bitmap());
        EXPECT_EQ(cache.FindList({25, 17})->Count(), 1);
        b.setGlyph(fw::Bitmap());
        EXPECT_EQ(cache.FindList({25, 17}), nullptr) << "a list goes with its last image";
    }
    EXPECT_TRUE(shared.expired()) << "the cache goes with its last button";
}

}  // namespace
