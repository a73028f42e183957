#pragma once

// The colours a view can ask for: the three foreground levels of the desktop palette and the
// named accent colours. Views decide on a role; NamedColors turns it into a colour.
enum class ColorRole { primary, secondary, tertiary, green, orange, red, purple, blue, gray, white };
