#include "widgets/cool_button.h"

#include "framework/application.h"
#include "framework/form.h"

namespace widgets {
namespace {

// The button-highlight and button-shadow colours of the classic desktop.
constexpr fw::Color buttonHighlight = fw::colors::white;
constexpr fw::Color buttonShadow = fw::colors::gray;

fw::Bitmap cellOf(const fw::Bitmap& strip, int index, fw::Size cell) {
    fw::Bitmap out(cell.width, cell.height);
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x) out.setPixel(x, y, strip.pixel(index * cell.width + x, y));
    return out;
}

fw::Color bottomLeft(const fw::Bitmap& b) {
    return b.pixel(0, b.height() - 1);
}

bool twoColours(const fw::Bitmap& b) {
    fw::Color first = b.pixels().empty() ? 0 : b.pixels()[0];
    std::optional<fw::Color> second;
    for (fw::Color c : b.pixels()) {
        if (c == first) continue;
        if (second && c != *second) return false;
        second = c;
    }
    return true;
}

}  // namespace

int TGlyphList::Add(fw::Bitmap image, fw::Color maskColor) {
    ++count_;
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (!slots_[i].used) {
            slots_[i] = {std::move(image), maskColor, true};
            return static_cast<int>(i);
        }
    slots_.push_back({std::move(image), maskColor, true});
    return static_cast<int>(slots_.size()) - 1;
}

void TGlyphList::Delete(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= slots_.size() ||
        !slots_[static_cast<std::size_t>(index)].used)
        return;
    slots_[static_cast<std::size_t>(index)].used = false;
    --count_;
}

void TGlyphList::Draw(fw::Canvas& canvas, int index, fw::Point at) const {
    if (index < 0 || static_cast<std::size_t>(index) >= slots_.size()) return;
    const Slot& s = slots_[static_cast<std::size_t>(index)];
    if (s.used) canvas.drawBitmapTransparent(at, s.image, s.mask);
}

TGlyphList* TGlyphCache::FindList(fw::Size cell) const {
    for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
        if ((*it)->cellSize() == cell) return it->get();
    return nullptr;
}

TGlyphList* TGlyphCache::GetList(fw::Size cell) {
    if (TGlyphList* found = FindList(cell)) return found;
    lists_.push_back(std::make_unique<TGlyphList>(cell));
    return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
    if (!list || list->Count() != 0) return;
    std::erase_if(lists_, [list](const auto& l) { return l.get() == list; });
}

TButtonGlyph::TButtonGlyph(std::shared_ptr<TGlyphCache> cache) : cache_(std::move(cache)) {}

TButtonGlyph::~TButtonGlyph() {
    Invalidate();
}

void TButtonGlyph::Invalidate() {
    if (list_) {
        for (int& i : indexes_) {
            if (i >= 0) list_->Delete(i);
            i = -1;
        }
        cache_->ReturnList(list_);
        list_ = nullptr;
    }
    indexes_.fill(-1);
}

void TButtonGlyph::setGlyph(const fw::Bitmap& strip, std::optional<fw::Color> transparent) {
    Invalidate();
    strip_ = strip;
    fixedTransparent_ = transparent;
    if (strip_.height() > 0) {
        transparentColor_ = transparent ? *transparent : bottomLeft(strip_);
        if (strip_.width() % strip_.height() == 0) {
            const int cells = strip_.width() / strip_.height();
            numGlyphs_ = cells > 4 ? 1 : cells;
        }
    }
    if (OnChange) OnChange();
}

void TButtonGlyph::setNumGlyphs(int n) {
    if (n <= 0 || n == numGlyphs_) return;
    Invalidate();
    numGlyphs_ = n;
    if (OnChange) OnChange();
}

fw::Size TButtonGlyph::cellSize() const {
    if (strip_.empty() || numGlyphs_ < 1) return {0, 0};
    return {strip_.width() / numGlyphs_, strip_.height()};
}

std::pair<TGlyphList*, int> TButtonGlyph::BuildStateImage(TCoolButtonState state) {
    auto s = static_cast<int>(state);
    if (state == TCoolButtonState::cbPressed && numGlyphs_ < 3) s = static_cast<int>(TCoolButtonState::cbUp);
    if (list_ && indexes_[static_cast<std::size_t>(s)] >= 0)
        return {list_, indexes_[static_cast<std::size_t>(s)]};
    const fw::Size cell = cellSize();
    if (cell.width <= 0 || cell.height <= 0) return {nullptr, -1};
    if (!list_) list_ = cache_->GetList(cell);

    const int index = s < numGlyphs_ ? s : 0;
    int built;
    if (state != TCoolButtonState::cbDisabled) {
        fw::Bitmap image = cellOf(strip_, index, cell);
        const fw::Color mask = fixedTransparent_ ? *fixedTransparent_ : bottomLeft(image);
        built = list_->Add(std::move(image), mask);
    } else if (numGlyphs_ >= 2) {
        // Cell 1 on the button face. Its white and grey pixels would take
        // the highlight and shadow colours, which are white and grey here.
        fw::Bitmap image = cellOf(strip_, 1, cell);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == transparentColor_) image.setPixel(x, y, fw::colors::buttonFace);
        const fw::Color mask = bottomLeft(image);
        built = list_->Add(std::move(image), mask);
    } else {
        // Etched: the glyph's dark pixels (its light ones on a two-colour
        // strip) as a highlight one pixel right and down, then in shadow.
        const fw::Bitmap source = cellOf(strip_, 0, cell);
        const fw::Color ink = twoColours(strip_) ? fw::colors::white : fw::colors::black;
        fw::Bitmap image(cell.width, cell.height, fw::colors::buttonFace);
        for (int y = 0; y < cell.height; ++y)
            for (int x = 0; x < cell.width; ++x)
                if (source.pixel(x, y) == ink) image.setPixel(x + 1, y + 1, buttonHighlight);
        for (int y = 0; y < cell.height; ++y)
            for (int x = 0; x < cell.width; ++x)
                if (source.pixel(x, y) == ink) image.setPixel(x, y, buttonShadow);
        const fw::Color mask = bottomLeft(image);
        built = list_->Add(std::move(image), mask);
    }
    indexes_[static_cast<std::size_t>(s)] = built;
    return {list_, built};
}

TCoolButton::TCoolButton(fw::Component* owner, std::string name)
    : fw::GraphicControl(owner, std::move(name)), glyph_(fw::Application::of(owner).shared<TGlyphCache>()) {
    setBounds(fw::Rect::fromSize(0, 0, 25, 25));
    glyph_.setNumGlyphs(4);
    glyph_.OnChange = [this] { repaint(); };
}

void TCoolButton::setGroupIndex(std::int32_t v) {
    if (v == groupIndex_) return;
    groupIndex_ = v;
    NotifyGroup();
}

void TCoolButton::setAllowAllUp(bool v) {
    if (v == allowAllUp_) return;
    allowAllUp_ = v;
    NotifyGroup();
}

void TCoolButton::setDown(bool v) {
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = v;
    if (down_) {
        if (state_ == TCoolButtonState::cbUp) repaint();
        state_ = TCoolButtonState::cbHot;
        NotifyGroup();
    } else {
        state_ = TCoolButtonState::cbUp;
        repaint();
    }
}

void TCoolButton::setLayout(TButtonLayout v) {
    if (v == layout_) return;
    layout_ = v;
    repaint();
}

void TCoolButton::setSpacing(std::int32_t v) {
    if (v == spacing_) return;
    spacing_ = v;
    repaint();
}

void TCoolButton::setMargin(std::int32_t v) {
    if (v == margin_ || v < -1) return;
    margin_ = v;
    repaint();
}

void TCoolButton::setCaption(const std::string& v) {
    caption_ = v;
    repaint();
}

void TCoolButton::setFont(const fw::Font& f) {
    font_ = f;
    repaint();
}

void TCoolButton::setGlyph(const fw::Bitmap& strip, std::optional<fw::Color> transparent) {
    glyph_.setGlyph(strip, transparent);
    repaint();
}

void TCoolButton::setNumGlyphs(int n) {
    if (n > 4) n = 4;
    if (n == glyph_.NumGlyphs()) return;
    glyph_.setNumGlyphs(n);
    repaint();
}

TCoolButton::Face TCoolButton::LayoutFace(fw::Canvas& canvas, fw::Size client) const {
    const fw::Size cell = glyph_.cellSize();
    canvas.setFont(font_);
    const fw::Size text = caption_.empty() ? fw::Size{0, 0} : canvas.textExtent(caption_);
    const bool acrossX = layout_ == TButtonLayout::blGlyphTop || layout_ == TButtonLayout::blGlyphBottom;
    const int C = acrossX ? client.height : client.width;
    const int G = acrossX ? cell.height : cell.width;
    const int T = acrossX ? text.height : text.width;
    int spacing = spacing_, margin = margin_;
    if (text.width == 0 || cell.width == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (C - (G + T)) / 3;
            spacing = margin;
        } else {
            margin = (C - (G + spacing + T) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (C - margin - G - T) / 2;
    }
    Face f;
    int glyphAlong = 0, captionAlong = 0;
    switch (layout_) {
        case TButtonLayout::blGlyphLeft:
            glyphAlong = margin;
            captionAlong = glyphAlong + cell.width + spacing;
            break;
        case TButtonLayout::blGlyphRight:
            glyphAlong = client.width - margin - cell.width;
            captionAlong = glyphAlong - spacing - text.width;
            break;
        case TButtonLayout::blGlyphTop:
            glyphAlong = margin;
            captionAlong = glyphAlong + cell.height + spacing;
            break;
        case TButtonLayout::blGlyphBottom:
            glyphAlong = client.height - margin - cell.height;
            captionAlong = glyphAlong - spacing - text.height;
            break;
    }
    if (acrossX) {
        f.glyph = {0, glyphAlong};
        f.caption =
            fw::Rect::fromSize((client.width - text.width + 1) / 2, captionAlong, text.width, text.height);
    } else {
        f.glyph = {glyphAlong, 0};
        f.caption =
            fw::Rect::fromSize(captionAlong, (client.height - text.height + 1) / 2, text.width, text.height);
    }
    return f;
}

void TCoolButton::setPressedLook(bool v) {
    if (v == pressedLook_) return;
    pressedLook_ = v;
    repaint();
}

void TCoolButton::paint(fw::Canvas& canvas) {
    if (!enabled())
        state_ = TCoolButtonState::cbDisabled;
    else if (!mouseOver_)
        state_ = TCoolButtonState::cbUp;
    else if (state_ != TCoolButtonState::cbPressed)
        state_ = TCoolButtonState::cbHot;
    const Face face = LayoutFace(canvas, {bounds().width(), bounds().height()});
    if (!glyph_.Glyph().empty()) {
        const auto [list, index] = glyph_.BuildStateImage(pressedLook_ ? TCoolButtonState::cbPressed : state_);
        if (list) list->Draw(canvas, index, face.glyph);
    } else if (pressedLook_) {
        // Sunken: shadow along the top and left, light along the bottom
        // and right, two pixels wide.
        const int w = bounds().width(), h = bounds().height();
        canvas.setBrushStyle(fw::BrushStyle::solid);
        canvas.setBrushColor(buttonShadow);
        canvas.fillRect({0, 0, w, 2});
        canvas.fillRect({0, 0, 2, h});
        canvas.setBrushColor(buttonHighlight);
        canvas.fillRect({0, h - 2, w, h});
        canvas.fillRect({w - 2, 0, w, h});
    }
    if (caption_.empty()) return;
    if (enabled()) {
        canvas.drawText(face.caption, caption_, fw::textCenter | fw::textVCenter | fw::textSingleLine);
    } else {
        fw::Font f = font_;
        f.color = buttonHighlight;
        canvas.setFont(f);
        canvas.drawText(face.caption.offset(1, 1), caption_, 0);
        f.color = buttonShadow;
        canvas.setFont(f);
        canvas.drawText(face.caption, caption_, 0);
    }
}

bool TCoolButton::inside(fw::Point at) const {
    return at.x >= 0 && at.x < bounds().width() && at.y >= 0 && at.y < bounds().height();
}

void TCoolButton::HotTest(fw::Point at) {
    const fw::Bitmap& strip = glyph_.Glyph();
    const fw::Point onForm{at.x + bounds().left, at.y + bounds().top};
    mouseOver_ = !strip.empty() && at.x < strip.width() && at.y < strip.height() &&
                 strip.pixel(at.x, at.y) != strip.pixel(0, strip.height() - 1) && form() &&
                 form()->controlAt(onForm, true) == this;
}

void TCoolButton::mouseMove(const fw::MouseState& state, fw::Point at) {
    const bool wasOver = mouseOver_;
    HotTest(at);
    if (onMouseMove) onMouseMove(*this, state, at);
    if (tracking_)
        state_ = down_        ? TCoolButtonState::cbHot
                 : inside(at) ? TCoolButtonState::cbPressed
                              : TCoolButtonState::cbUp;
    if (mouseOver_ != wasOver) repaint();
}

void TCoolButton::mouseDown(fw::MouseButton button, const fw::MouseState& state, fw::Point at) {
    if (onMouseDown) onMouseDown(*this, button, state, at);
    if (button == fw::MouseButton::left && enabled()) {
        if (!down_) {
            state_ = TCoolButtonState::cbPressed;
            repaint();
        }
        tracking_ = true;
    }
    if (state.doubleClick && down_ && OnDblClick) OnDblClick(*this);
}

void TCoolButton::mouseUp(fw::MouseButton button, const fw::MouseState& state, fw::Point at) {
    if (onMouseUp) onMouseUp(*this, button, state, at);
    if (!tracking_) return;
    tracking_ = false;
    const bool in = inside(at);
    if (groupIndex_ == 0) {
        state_ = TCoolButtonState::cbUp;
        mouseOver_ = false;
        if (in) repaint();
    } else if (in) {
        setDown(!down_);
        if (down_) repaint();
    } else {
        if (down_) state_ = TCoolButtonState::cbHot;
        repaint();
    }
    if (in) click();
    RecheckMouseOver();
}

void TCoolButton::mouseLeave() {
    if (mouseOver_ && enabled() && !tracking_) {
        mouseOver_ = false;
        repaint();
    }
}

void TCoolButton::RecheckMouseOver() {
    if (!enabled() || !form()) return;
    if (form()->controlAt(form()->pointer(), true) == this) {
        mouseOver_ = false;
        return;
    }
    mouseOver_ = true;
    mouseLeave();
}

void TCoolButton::enabledChanged() {
    glyph_.BuildStateImage(enabled() ? TCoolButtonState::cbUp : TCoolButtonState::cbDisabled);
    RecheckMouseOver();
    fw::GraphicControl::enabledChanged();
}

void TCoolButton::NotifyGroup() {
    if (groupIndex_ == 0 || !form()) return;
    for (fw::GraphicControl* c : form()->graphicControls())
        if (auto* b = dynamic_cast<TCoolButton*>(c)) b->ButtonPressed(groupIndex_, *this);
}

void TCoolButton::ButtonPressed(std::int32_t group, TCoolButton& sender) {
    if (group != groupIndex_ || &sender == this) return;
    if (sender.down_ && down_) {
        down_ = false;
        state_ = TCoolButtonState::cbUp;
        repaint();
    }
    allowAllUp_ = sender.allowAllUp_;
}

}  // namespace widgets
