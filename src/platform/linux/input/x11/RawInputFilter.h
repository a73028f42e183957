#pragma once

#include <X11/extensions/XI2.h>

#include <array>
#include <cstdint>

// Decides which XInput2 raw events count as the user's activity: a press of a key that is not
// a modifier, a press of the left or right button, the wheel (buttons 4 to 7, both axes), and
// pointer motion while no button is held. Key and button releases, modifier keys alone, the
// middle and other buttons, and drags do not count.
//
// It runs for every input event the X server sends, up to a thousand a second from a busy
// mouse, so it only compares and flips bits.
class RawInputFilter {
public:
    static constexpr int kKeycodeCount = 256;

    // Marks the key codes that are modifiers (Shift, Control, Alt, Super, Caps Lock and the like).
    void setModifierKeys(const std::array<bool, kKeycodeCount> &isModifier) { m_isModifier = isModifier; }
    bool isModifierKey(int keycode) const
    {
        return keycode >= 0 && keycode < kKeycodeCount && m_isModifier[static_cast<unsigned>(keycode)];
    }

    // `eventType` is an XInput2 raw event type (XI_RawMotion, ...); `detail` is the key code
    // or button number of the raw event (unused for motion).
    bool accept(int eventType, int detail)
    {
        switch (eventType) {
        case XI_RawMotion:
            return m_heldButtons == 0;
        case XI_RawKeyPress:
            return !isModifierKey(detail);
        case XI_RawButtonPress:
            if (isWheel(detail))
                return true;
            m_heldButtons |= buttonBit(detail);
            return detail == 1 || detail == 3;
        case XI_RawButtonRelease:
            // Clearing a bit is idempotent: a release that arrives twice does no harm.
            m_heldButtons &= ~buttonBit(detail);
            return false;
        default:
            return false;
        }
    }

private:
    // The wheel's "buttons" are a press and release in one go; they never make a drag.
    static constexpr bool isWheel(int button) { return button >= 4 && button <= 7; }
    static constexpr std::uint64_t buttonBit(int button)
    {
        return button >= 1 && button < 64 ? std::uint64_t{1} << button : 0;
    }

    std::array<bool, kKeycodeCount> m_isModifier{};
    std::uint64_t m_heldButtons = 0;
};
