#include "framework/Control.h"

void Control::SetStyle(const TextStyle& style) {
    QFont font = widget_->font();
    if (style.size > 0) {
        font.setPixelSize(style.size);
    }
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    widget_->setFont(font);
}
