#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

struct AlertRequest {
    QString messageText;
    QString informativeText;
    QStringList buttons; // in order; the first answers kFirstButton
    bool warningStyle = true;
};

// The desktop services the logic asks for by name: modal alerts, opening links, choosing
// where to save a file, bringing the program forward and ending it.
class Desktop {
public:
    static constexpr int kFirstButton = 1000;

    virtual ~Desktop() = default;

    // Blocks until a button is pressed; answers kFirstButton + the button's index.
    virtual int runModalAlert(const AlertRequest &request) = 0;
    virtual void openUrl(const QUrl &url) = 0;
    // Asks where to save a file (the desktop's own dialog where it has one); nothing when the
    // user cancels. `filters` as "CSV files (*.csv)".
    virtual std::optional<QString> askSaveFileName(const QString &title, const QString &suggestedName,
                                                   const QStringList &filters) = 0;
    // Brings the program's windows to the front, ignoring other applications.
    virtual void activateIgnoringOtherApps() = 0;
    // Ends the process through the normal termination path.
    virtual void terminate() = 0;
};
