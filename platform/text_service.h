// platform/text_service.h: text as a service of the host. The core keeps fonts as descriptions and
// works out where a string goes; a host's text service turns descriptions into glyphs.
#pragma once

#include <string_view>

#include "platform/drawing/bitmap.h"
#include "platform/types.h"

namespace platform {

// How much room a string takes in a font: its advance and the font's cell above and below the
// baseline, in pixels of the size asked for.
struct StringSize {
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

// A string to draw, with everything the context decides already worked out by the core.
struct TextDrawing {
    const LogFont* font = nullptr;
    // Device pixels per logical pixel: the font is drawn at its size times this, so a scaled
    // surface gets sharp glyphs rather than enlarged ones.
    double scale = 1.0;
    Point origin;           // top left of the string's cell, in the target's own pixels
    std::string_view text;  // single-byte (Latin-1) text, as the game's texts are
    ColourRef textColour = 0;
    bool opaque = false;  // the cell is filled with backgroundColour before the glyphs
    ColourRef backgroundColour = 0;
    Rect clip;  // the target's pixels that may change; nothing outside it does
};

// A host's text facility. Calls come from the program's one thread; a service never calls back
// into the core.
class TextService {
  public:
    virtual ~TextService() = default;

    // The font's metrics at its logical size (height, ascent, descent, leadings, character widths).
    virtual TextMetrics FontMetrics(const LogFont& font) = 0;

    // What the text takes in the font at its logical size: the same advance DrawString lays it out
    // with at scale 1.
    virtual StringSize MeasureString(const LogFont& font, std::string_view text) = 0;

    // Draws onto a colour bitmap (32 bits, 0x00RRGGBB: the top byte of every pixel stays 0) and
    // returns the rectangle of its pixels that may have changed: the cell and any ink beyond it,
    // within the clip; empty when nothing could change.
    virtual Rect DrawString(Bitmap& target, const TextDrawing& drawing) = 0;
};

// The service in use; set once at start-up by the program's entry (or a test), before any text
// is measured or drawn. Not owned. Without one, text calls fail and draw nothing.
void SetTextService(TextService* service);
TextService* CurrentTextService();

}  // namespace platform
