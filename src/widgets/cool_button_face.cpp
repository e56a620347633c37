// What a skin button looks like: where its glyph and caption go, and the
// painting of its state, which the event handlers have already settled.
#include "widgets/cool_button.h"

namespace widgets {

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

void TCoolButton::paint(fw::Canvas& canvas) {
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

}  // namespace widgets
