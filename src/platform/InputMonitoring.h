#pragma once

#include <QString>

#include <functional>
#include <memory>

// An installed, listen-only input tap. Destroying it removes it.
class InputTap {
public:
    virtual ~InputTap() = default;
};

// Observing the user's keyboard and mouse input, and whether this session lets us.
class InputMonitoring {
public:
    virtual ~InputMonitoring() = default;

    // Whether this session lets the program observe input now.
    virtual bool isTrusted() = 0;

    // Asks the system to offer the user a way to grant the permission, where it has one.
    virtual void promptForTrust() = 0;

    // Installs a tap that calls `onActivity` on the main thread when input counting as
    // activity arrives. Returns nothing when the tap cannot be created.
    virtual std::unique_ptr<InputTap> createTap(std::function<void()> onActivity) = 0;

    // How input is observed, as the last trust check found it ("X11 XInput2", ...); empty while
    // nothing in the session lets the program observe input.
    virtual QString methodName() const { return {}; }

    // While not trusted: what the session lacks, in a few words (a title).
    virtual QString missingAccessTitle() const { return QStringLiteral("Activity can't be seen in this session"); }

    // While not trusted: what the session lacks and what the user can do, in a sentence or two.
    virtual QString missingAccessText() const
    {
        return QStringLiteral("This session does not let Pelmix observe keyboard and mouse activity.");
    }
};
