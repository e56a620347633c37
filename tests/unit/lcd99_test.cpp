#include <gtest/gtest.h>

#include <ostream>

#include "framework/application.h"
#include "framework/form.h"
#include "support/headless_host.h"
#include "widgets/lcd99.h"

namespace {

using testing_support::DrawCall;
using testing_support::RecordingCanvas;
using widgets::LcdGeometry;
using widgets::TLCD99;
using widgets::TLCDAbout;
using widgets::TLCDAnimation;
using Points = std::vector<fw::Point>;

class LcdTest : public ::testing::Test {
protected:
    LcdTest() : app(host), form(app.createForm<fw::Form>("Main")) {
        lcd = &form.create<TLCD99>("LCD");
        form.finishCreate();
    }

    // As on the main window.
    void timeReadout() {
        lcd->setBounds(fw::Rect::fromSize(38, 61, 63, 19));
        lcd->setDigitNum(5);
        lcd->setDigitSpacing(1);
        lcd->setDotSpacing(1);
        lcd->setGapX(1);
        lcd->setGapY(1);
        lcd->setColor(fw::colors::silver);
        lcd->setOffColor(fw::colors::silver);
        lcd->setOnColor(fw::colors::black);
    }
    RecordingCanvas paint() {
        RecordingCanvas canvas({lcd->bounds().width(), lcd->bounds().height()});
        lcd->paint(canvas);
        return canvas;
    }
    static bool hasPolygon(const RecordingCanvas& c, const Points& pts, fw::Color color) {
        for (const auto& call : c.callsOf(DrawCall::Kind::polygon))
            if (call.points == pts && call.brush == color && call.pen == color) return true;
        return false;
    }

    // The read-out's step timer, once an animation has made it.
    fw::Timer* stepTimer() { return dynamic_cast<fw::Timer*>(lcd->findComponent("StepTimer")); }
    bool stepping() { return stepTimer() && host.timerRunning(*stepTimer()); }
    // Lit bars drawn by a paint.
    static std::size_t litBars(const RecordingCanvas& c, fw::Color on) {
        std::size_t n = 0;
        for (const auto& call : c.callsOf(DrawCall::Kind::polygon)) n += call.brush == on;
        return n;
    }

    testing_support::HeadlessHost host;
    fw::Application app;
    fw::Form& form;
    TLCD99* lcd = nullptr;
};

TEST_F(LcdTest, ANewReadoutShowsFourLimeCellsOnBlackThroughABuffer) {
    lcd->setValue("8888");
    const auto c = paint();
    EXPECT_EQ(litBars(c, fw::colors::lime), 4u * 7u) << "four cells, every bar of 8 lit in lime";
    ASSERT_FALSE(c.callsOf(DrawCall::Kind::fillRect).empty());
    EXPECT_EQ(c.callsOf(DrawCall::Kind::fillRect).front().brush, fw::colors::black);
    EXPECT_EQ(c.callsOf(DrawCall::Kind::fillRect).front().rect, fw::Rect::fromSize(0, 0, 92, 34));
    EXPECT_EQ(c.callsOf(DrawCall::Kind::copySurface).size(), 1u) << "composed off-screen, copied once";
    EXPECT_EQ(lcd->geometry().DS, 6) << "cells five pixels apart";
}

struct ValueCase {
    std::vector<std::string> assigned;
    std::string stored;
    std::vector<std::string> changes;  // the NewValue of each OnChange
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.assigned.back();
}

class LcdValues : public LcdTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(LcdValues, AreNormalisedAndReported) {
    std::vector<std::string> changes;
    lcd->OnChange = [&](fw::Component&, const std::string&, const std::string& v) {
        EXPECT_EQ(lcd->Value(), v) << "raised after the value is stored";
        changes.push_back(v);
    };
    for (const auto& v : GetParam().assigned) lcd->setValue(v);
    EXPECT_EQ(lcd->Value(), GetParam().stored);
    EXPECT_EQ(changes, GetParam().changes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LcdValues,
    ::testing::Values(ValueCase{{"ab"}, "AB", {"AB"}}, ValueCase{{"ab", "AB"}, "AB", {"AB"}},
                      ValueCase{{"ab", "ab"}, "AB", {"AB", "AB"}}, ValueCase{{"12#4"}, "", {""}},
                      ValueCase{{"12."}, "12", {"12"}}, ValueCase{{"12.."}, "12.", {"12."}},
                      ValueCase{{"1..2"}, "1..2", {"1..2"}}, ValueCase{{"-1:2 z"}, "-1:2 Z", {"-1:2 Z"}},
                      ValueCase{{"5", "é"}, "", {"5", ""}}));

struct SplitCase {
    std::string value, cells, points;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.value;
}

class LcdSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LcdSplit, PointsBelongToTheCellThatFollows) {
    std::string cells, points;
    TLCD99::SplitDots(GetParam().value, cells, points);
    EXPECT_EQ(cells, GetParam().cells);
    EXPECT_EQ(points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Cases, LcdSplit,
                         ::testing::Values(SplitCase{"12.5", "125", "  ."}, SplitCase{"1..2", "1 2", " .."},
                                           SplitCase{"12.", "12", "  ."}, SplitCase{"", "", ""},
                                           SplitCase{".5", "5", "."}));

TEST_F(LcdTest, TimeReadoutGeometryAndShapes) {
    timeReadout();
    const LcdGeometry g = lcd->geometry();
    EXPECT_EQ(g.DS, 2);
    EXPECT_EQ(g.DW, 10);
    EXPECT_EQ(g.DH, 18);
    EXPECT_EQ(g.HL, 8);
    EXPECT_EQ(g.VL, 7);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(g.cellLeft(i), 2 + 12 * (i - 1));

    lcd->setValue("88:88");
    const auto c = paint();
    EXPECT_TRUE(hasPolygon(c, {{3, 0}, {4, 0}, {10, 0}, {11, 0}, {9, 2}, {5, 2}, {3, 0}}, fw::colors::black))
        << "top bar of the first cell";
    EXPECT_TRUE(hasPolygon(c, {{3, 9}, {5, 8}, {9, 8}, {11, 9}, {9, 10}, {5, 10}, {3, 9}}, fw::colors::black))
        << "middle bar: y 8, r 1";
    EXPECT_TRUE(
        hasPolygon(c, {{3, 18}, {4, 18}, {10, 18}, {11, 18}, {9, 16}, {5, 16}, {3, 18}}, fw::colors::black))
        << "bottom bar grows upward";
    std::vector<fw::Rect> colon;
    for (const auto& e : c.callsOf(DrawCall::Kind::ellipse))
        if (e.brush == fw::colors::black) colon.push_back(e.rect);
    EXPECT_EQ(colon, (std::vector<fw::Rect>{{30, 5, 32, 7}, {30, 11, 32, 13}}))
        << "2 x 2 dots in the third cell";
    const auto fills = c.callsOf(DrawCall::Kind::fillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, fw::Rect::fromSize(0, 0, 63, 19));
    EXPECT_EQ(fills[0].brush, fw::colors::silver);
    EXPECT_TRUE(fills[0].offscreen) << "composed in the back buffer";
    EXPECT_EQ(c.callsOf(DrawCall::Kind::copySurface).size(), 1u);
}

TEST_F(LcdTest, TrackReadoutGeometry) {
    lcd->setBounds(fw::Rect::fromSize(106, 69, 35, 12));
    lcd->setDigitSpacing(1);
    lcd->setGapX(1);
    lcd->setGapY(1);
    lcd->setSegmentSize(1);
    const LcdGeometry g = lcd->geometry();
    EXPECT_EQ(g.DS, 2);
    EXPECT_EQ(g.DW, 6);
    EXPECT_EQ(g.DH, 11);
    EXPECT_EQ(g.HL, 4);
    EXPECT_EQ(g.VL, 3);
    EXPECT_EQ(std::vector<int>({g.cellLeft(1), g.cellLeft(2), g.cellLeft(3), g.cellLeft(4)}),
              std::vector<int>({2, 10, 18, 26}));
}

TEST_F(LcdTest, DecimalPointLitInFrontOfItsCell) {
    lcd->setDigitSpacing(3);  // DS 4, so points are 2 x 2
    lcd->setValue("12.5");
    const auto c = paint();
    const LcdGeometry g = lcd->geometry();
    std::vector<fw::Rect> litPoints;
    for (const auto& f : c.callsOf(DrawCall::Kind::fillRect))
        if (f.brush == lcd->OnColor()) litPoints.push_back(f.rect);
    const int xp = g.cellLeft(4) - (g.DS + 2) / 2;
    EXPECT_EQ(litPoints, (std::vector<fw::Rect>{{xp, g.DH - 2, xp + 2, g.DH}})) << "between the 2 and the 5";
}

TEST_F(LcdTest, LongValueShowsItsFirstCellsAndBlankShowsNothingLit) {
    lcd->setValue("123456");
    auto c = paint();
    int lit = 0;
    for (const auto& p : c.callsOf(DrawCall::Kind::polygon)) lit += p.brush == lcd->OnColor();
    EXPECT_EQ(lit, 2 + 5 + 5 + 4) << "1, 2, 3 and 4 light 16 bars";
    lcd->setValue("");
    c = paint();
    for (const auto& call : c.calls()) {
        if (call.kind == DrawCall::Kind::copySurface || call.kind == DrawCall::Kind::fillRect) continue;
        EXPECT_NE(call.brush, lcd->OnColor());
    }
}

TEST_F(LcdTest, EveryPaintDrawsEveryCellOfTheValueWhole) {
    lcd->setValue("1234");
    paint();
    lcd->setValue("1235");
    EXPECT_EQ(lcd->LastValue(), "1235") << "without an animation a change is shown at once";
    for (int i = 0; i < 2; ++i) {
        const auto c = paint();
        EXPECT_EQ(c.callsOf(DrawCall::Kind::polygon).size(), 4u * 7u) << "seven bars for each of four cells";
        EXPECT_EQ(litBars(c, lcd->OnColor()), 2u + 5u + 5u + 5u) << "1, 2, 3 and 5 lit";
    }
}

TEST_F(LcdTest, DotModeNeverCoversALitCornerDotWithAnUnlitOne) {
    lcd->setDotDisplay(true);
    lcd->setDigitNum(1);
    lcd->setBounds(fw::Rect::fromSize(0, 0, 40, 60));
    lcd->setSegmentSize(3);
    lcd->setDotSpacing(1);
    lcd->setOffColor(fw::colors::gray);
    for (const char* chars :
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "E", "H", "L", "P", "-"}) {
        lcd->setValue(chars);
        paint();
        // The second paint restores the same picture in one full pass.
        const auto c = paint();
        std::vector<fw::Rect> litDots;
        for (const auto& e : c.callsOf(DrawCall::Kind::ellipse)) {
            if (e.brush == lcd->OnColor()) {
                litDots.push_back(e.rect);
                continue;
            }
            for (const auto& lit : litDots)
                EXPECT_NE(e.rect, lit) << chars << ": an unlit dot over a lit one";
        }
        EXPECT_FALSE(litDots.empty()) << chars;
    }
}

TEST_F(LcdTest, AChangeIsDrawnAtOnceWithoutAStyleOrABudget) {
    lcd->setAnimation(TLCDAnimation::anNone);
    lcd->setAnimationDelay(700);
    lcd->setValue("12");
    paint();
    EXPECT_EQ(lcd->LastValue(), "12") << "anNone draws at once";
    EXPECT_FALSE(stepping());
    lcd->setAnimation(TLCDAnimation::anSpiral);
    lcd->setAnimationDelay(0);
    lcd->setValue("13");
    paint();
    EXPECT_EQ(lcd->LastValue(), "13") << "a budget of 0 draws at once";
    EXPECT_FALSE(stepping());
    lcd->setAnimationDelay(6);
    lcd->setValue("14");
    paint();
    EXPECT_EQ(lcd->LastValue(), "14") << "less than a millisecond a step draws at once";
}

TEST_F(LcdTest, AnAnimatedChangeShowsOneMoreSegmentAtEveryStepOfItsTimer) {
    lcd->setValue("8");
    paint();
    lcd->setAnimation(TLCDAnimation::anDown);
    lcd->setAnimationDelay(700);
    lcd->setValue("88");
    std::vector<std::size_t> lit{litBars(paint(), lcd->OnColor())};
    ASSERT_TRUE(stepping());
    EXPECT_EQ(host.timerInterval(*stepTimer()), 100) << "seven steps share the 700 ms";
    EXPECT_EQ(lcd->LastValue(), "8") << "the change is still being shown";
    for (int step = 2; step <= 8; ++step) {
        host.now += 100;
        host.fireTimer(*stepTimer());
        lit.push_back(litBars(paint(), lcd->OnColor()));
    }
    // The old cell's seven bars, then the new cell's: top (1), upper left
    // and right (2, 3), the colon (8, no bar), middle, lower, bottom.
    EXPECT_EQ(lit, (std::vector<std::size_t>{8, 9, 10, 10, 11, 12, 13, 14}));
    EXPECT_FALSE(stepping()) << "the timer stops with the last step";
    EXPECT_EQ(lcd->LastValue(), "88");
    EXPECT_EQ(litBars(paint(), lcd->OnColor()), 7u + 7u) << "a repaint without a change draws it whole";
}

TEST_F(LcdTest, ALateStepShortensTheNextWaitAndANewValueCompletesTheOldChange) {
    lcd->setAnimation(TLCDAnimation::anSpiral);
    lcd->setAnimationDelay(700);
    lcd->setValue("1");
    paint();
    ASSERT_TRUE(stepping());
    host.now += 150;
    host.fireTimer(*stepTimer());
    EXPECT_EQ(host.timerInterval(*stepTimer()), 50) << "50 ms late: the next wait is 50 ms shorter";
    host.now += 50;
    host.fireTimer(*stepTimer());
    EXPECT_EQ(host.timerInterval(*stepTimer()), 100);
    lcd->setValue("2");
    paint();
    EXPECT_EQ(lcd->LastValue(), "1") << "the change to 1 is complete; the one to 2 is being shown";
    EXPECT_TRUE(stepping());
}

TEST_F(LcdTest, PaintingNeverServesTheMessageQueue) {
    lcd->setAnimation(TLCDAnimation::anDown);
    lcd->setAnimationDelay(70);
    bool served = false;
    app.post([&] { served = true; });
    lcd->setValue("7");
    paint();
    EXPECT_FALSE(served) << "posted work waits for the message loop";
}

TEST_F(LcdTest, AReadOutThatIsNeverPaintedStillEndsItsAnimationWithTheRightValue) {
    lcd->setAnimation(TLCDAnimation::anDown);
    lcd->setAnimationDelay(700);
    lcd->setValue("12");
    ASSERT_TRUE(stepping()) << "the change starts when the value is set, not when it is painted";
    EXPECT_EQ(lcd->LastValue(), "");
    lcd->setValue("34");
    EXPECT_EQ(lcd->LastValue(), "12") << "a new value completes the change before it";
    for (int step = 2; step <= 8; ++step) {
        host.now += 100;
        host.fireTimer(*stepTimer());
    }
    EXPECT_FALSE(stepping());
    EXPECT_EQ(lcd->LastValue(), "34");
    EXPECT_EQ(litBars(paint(), lcd->OnColor()), 5u + 4u) << "painted at last, it shows 3 and 4 whole";
}

TEST_F(LcdTest, SettingsWithoutAPictureOnlyPaintTheBackground) {
    lcd->setValue("12");
    lcd->setDigitNum(0);
    auto c = paint();
    EXPECT_EQ(c.callsOf(DrawCall::Kind::polygon).size(), 0u);
    EXPECT_EQ(c.callsOf(DrawCall::Kind::fillRect).size(), 1u);
    lcd->setDigitNum(4);
    lcd->setDotDisplay(true);
    lcd->setSegmentSize(0);
    lcd->setDotSpacing(0);
    c = paint();
    EXPECT_EQ(c.callsOf(DrawCall::Kind::ellipse).size(), 0u);
}

TEST_F(LcdTest, AboutShowsTheInformationBox) {
    lcd->setAbout(TLCDAbout::abAbout);
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text.rfind("TLCD Component v1.81 (12/08/2001)\r\r", 0), 0u);
    EXPECT_EQ(host.messageBoxes()[0].icon, fw::MessageIcon::information);
}

}  // namespace
