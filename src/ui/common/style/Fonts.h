#pragma once

#include <QFont>

// The system font at the sizes the screens ask for. Sizes are device-independent pixels, so
// "13 points" of a layout is setPixelSize(13) here, whatever the screen's DPI setting.
namespace Fonts {

// The text styles, as pixel sizes.
inline constexpr int kBody = 13;
inline constexpr int kSubheadline = 11;
inline constexpr int kCaption = 10;
inline constexpr int kCaption2 = 10;
inline constexpr int kHeadline = 13;
inline constexpr int kTitle = 22;
inline constexpr int kTitle2 = 17;
inline constexpr int kTitle3 = 15;

QFont system(int pixelSize, QFont::Weight weight = QFont::Normal);

// Digits of equal width, so a counting number does not shift.
QFont monospacedDigits(int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace Fonts
