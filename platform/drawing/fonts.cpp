// platform/drawing/fonts.cpp: font objects. They only describe a font; the host's text service
// (platform/text_service.h) turns the description into glyphs when text is measured or drawn.
#include "platform/drawing/drawing.h"

namespace platform {

Font* CreateFontIndirect(const LogFont& description) { return new Font{description, false}; }

void DeleteObject(Font* font) {
    if (font != nullptr && !font->isStock) delete font;
}

Font* GetStockObject(StockObject which) {
    switch (which) {
        case StockObject::SystemFont: {
            // A plain sans face with a 16-pixel cell, close to the classic system font's size.
            static Font systemFont{LogFont{.height = 16, .faceName = "Liberation Sans"}, true};
            return &systemFont;
        }
    }
    return nullptr;
}

}  // namespace platform
