#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include <span>

// The views name their icons by system symbol names ("cup.and.saucer.fill"); this table maps
// each to a glyph of the Material Design Icons font that Debian ships as
// fonts-materialdesignicons-webfont (an old 1.6 release, so some outline variants are missing
// and share the filled glyph). Every view draws its icons through here.
namespace SymbolGlyphs {

inline constexpr auto kFontFamily = "Material Design Icons";
inline constexpr auto kFontFile =
    "/usr/share/fonts/truetype/materialdesignicons-webfont/materialdesignicons-webfont.ttf";

struct Entry {
    const char *symbol;    // the system symbol name the views use
    const char *glyphName; // the font's name for the glyph, for whoever edits this table
    char16_t codepoint;
};

std::span<const Entry> entries();

// The one-character text that draws `symbol` in font(); empty for an unknown name.
QString glyph(QStringView symbol);

// Registers the font file with the application once; answers whether the family is usable.
// Needs a QGuiApplication.
bool ensureFontLoaded();

// The icon font at a pixel size (icons are sized in device-independent pixels).
QFont font(qreal pixelSize);

// `symbol` drawn centred in a square of `pixelSize`, in `color`.
QPixmap pixmap(QStringView symbol, int pixelSize, const QColor &color, qreal devicePixelRatio = 1.0);
QIcon icon(QStringView symbol, int pixelSize, const QColor &color);

} // namespace SymbolGlyphs
