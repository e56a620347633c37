// TLCD99: a self-drawn row of seven-segment cells showing a short text
// (digits, upper-case letters, minus, colon, blank; a decimal point may sit
// in the gap before any cell). Bars are six-cornered polygons, or rows of
// dots in dot-matrix mode (their geometry: lcd_segments.cpp). Every paint
// draws every cell. A value change may be shown segment by segment in one
// of five orders spread over AnimationDelay milliseconds: a timer of its
// own brings on each next segment of the cells that changed, whether the
// control is painted or not, so painting never waits and only paints.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "framework/std_controls.h"
#include "framework/timer.h"

namespace widgets {

enum class TLCDAnimation : std::uint8_t { anNone, anSpiral, anUp, anDown, anLeft, anRight, anRandom };
enum class TLCDAbout : std::uint8_t { abNone, abAbout };
using TLCDChangeProc =
    std::function<void(fw::Component& Sender, const std::string& OldValue, const std::string& NewValue)>;

// Cell layout in pixels, as the control computes it from its settings.
struct LcdGeometry {
    int DS = 0;  // cell spacing
    int DW = 0;  // cell width
    int DH = 0;  // cell height
    int GX = 0;
    int GY = 0;
    int HL = 0;  // horizontal bar length
    int VL = 0;  // vertical bar length
    int p = 0;   // dot pitch (dot mode)
    int S = 0;
    bool valid = false;  // false when the settings give no picture (no cells, no dot pitch)
    int cellLeft(int i) const { return (i - 1) * (DS + DW) + DS; }  // i counts from 1
};

class TLCD99 : public fw::CustomControl {
public:
    // Segment numbers: 1 top, 2 upper-left, 3 upper-right, 4 middle, 5
    // lower-left, 6 lower-right, 7 bottom, 8 colon.
    static const std::array<std::array<bool, 8>, 38> SegmentMasks;
    static const std::array<std::array<int, 8>, 6> SegmentOrder;
    // The row of a drawable character, or -1 (blank and anything else).
    static int maskIndex(char c);

    TLCD99(fw::Component* owner, std::string name);

    TLCDAbout About() const { return TLCDAbout::abNone; }
    void setAbout(TLCDAbout v);
    TLCDAnimation Animation() const { return animationStyle_; }
    void setAnimation(TLCDAnimation v) { animationStyle_ = v; }
    std::int32_t AnimationDelay() const { return animationDelay_; }
    void setAnimationDelay(std::int32_t v) { animationDelay_ = v; }
    std::int32_t DigitNum() const { return digitNum_; }
    void setDigitNum(std::int32_t v) { set(digitNum_, v); }
    std::int32_t DigitSpacing() const { return digitSpacing_; }
    void setDigitSpacing(std::int32_t v) { set(digitSpacing_, v); }
    bool DotDisplay() const { return dotDisplay_; }
    void setDotDisplay(bool v) { set(dotDisplay_, v); }
    std::int32_t DotSpacing() const { return dotSpacing_; }
    void setDotSpacing(std::int32_t v) { set(dotSpacing_, v); }
    bool DoubleBuffer() const { return doubleBuffer_; }
    void setDoubleBuffer(bool v) { set(doubleBuffer_, v); }
    std::int32_t GapX() const { return gapX_; }
    void setGapX(std::int32_t v) { set(gapX_, v); }
    std::int32_t GapY() const { return gapY_; }
    void setGapY(std::int32_t v) { set(gapY_, v); }
    bool IsPainting() const { return isPainting_; }
    fw::Color OffColor() const { return offColor_; }
    void setOffColor(fw::Color v) { set(offColor_, v); }
    fw::Color OnColor() const { return onColor_; }
    void setOnColor(fw::Color v) { set(onColor_, v); }
    std::int32_t PaintDuration() const { return paintDuration_; }
    bool Preview() const { return preview_; }
    void setPreview(bool v) { set(preview_, v); }
    std::int32_t SegmentSize() const { return segmentSize_; }
    void setSegmentSize(std::int32_t v) { set(segmentSize_, v); }
    const std::string& Value() const { return value_; }
    void setValue(const std::string& text);
    TLCDChangeProc OnChange;

    // The value shown whole: while a change is being animated, the value it
    // started from.
    const std::string& LastValue() const { return lastValue_; }
    bool Animating() const { return animation_.step > 0; }
    LcdGeometry geometry() const;

    // Cells and decimal points of a value: '12.5' gives cells "125" and
    // points "  .", both filled on the left with blanks to DigitNum.
    static void SplitDots(const std::string& value, std::string& cells, std::string& points);

    void paint(fw::Canvas& canvas) override;

private:
    // A change being drawn segment by segment: the value it goes from and
    // to, the segment order, how many of the eight steps are shown, and the
    // step time with the overshoot the next step makes up for.
    struct StepAnimation {
        std::string from;
        std::string to;
        int style = 0;
        int step = 0;  // 0: none running
        int stepTime = 0;
        int carry = 0;
        std::uint32_t stepStart = 0;
    };

    template <class T>
    void set(T& field, T value) {
        if (field == value) return;
        field = value;
        invalidate();
    }
    std::uint32_t now();
    int chooseStyle();
    void startAnimation();
    void nextStep();
    void finishAnimation();
    void padLeft(std::string& s) const;
    // `from` as it was drawn, then `to` over it, its first `steps` segment
    // steps in the order of `style`.
    void drawChange(fw::Canvas& canvas, const LcdGeometry& g, const std::string& from, const std::string& to,
                    int style, int steps);
    void DrawPass(fw::Canvas& canvas, const LcdGeometry& g, const std::string& cells,
                  const std::string& points, const std::string& oldCells, const std::string& oldPoints,
                  int style, int steps, bool changedOnly);
    void drawSegment(fw::Canvas& canvas, const LcdGeometry& g, int cell, int segment, char c, bool lit);
    void drawPoint(fw::Canvas& canvas, const LcdGeometry& g, int cell, bool lit);

    TLCDAnimation animationStyle_ = TLCDAnimation::anNone;
    std::int32_t animationDelay_ = 0;
    std::int32_t digitNum_ = 4;
    std::int32_t digitSpacing_ = 5;
    bool dotDisplay_ = false;
    std::int32_t dotSpacing_ = 2;
    bool doubleBuffer_ = true;
    std::int32_t gapX_ = 2;
    std::int32_t gapY_ = 2;
    bool isPainting_ = false;
    fw::Color offColor_ = fw::colors::black;
    std::string lastValue_;
    fw::Color onColor_ = fw::colors::lime;
    std::int32_t paintDuration_ = 0;
    bool preview_ = false;
    std::int32_t segmentSize_ = 2;
    std::string value_;
    StepAnimation animation_;
    fw::Timer* stepTimer_ = nullptr;  // owned by the control, made for its first animation
    std::minstd_rand random_{std::random_device{}()};
};

}  // namespace widgets
