#include "widgets/button_glyph.h"

namespace widgets {
namespace {

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

}  // namespace widgets
