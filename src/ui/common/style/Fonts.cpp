#include "Fonts.h"

#include <QApplication>

namespace Fonts {

QFont system(int pixelSize, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont monospacedDigits(int pixelSize, QFont::Weight weight)
{
    // The desktop sans faces (DejaVu, Noto, Cantarell's successors) draw digits of equal
    // width by default; Qt 6.4 has no way to ask for tabular figures explicitly.
    return system(pixelSize, weight);
}

} // namespace Fonts
