#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

// The small information panel: name, tagline, features, how activity is seen, version and a
// close button.
class AboutInfoView : public QWidget {
    Q_OBJECT
public:
    static inline const QString kVersionText = QStringLiteral("Version 1.0");
    static inline const QString kHoldsText =
        QStringLiteral("Reminders wait while a camera or microphone is in use, the screen is shared, a full-screen "
                       "window has the focus or do not disturb is on. Pelmix learns only whether each is in use: "
                       "it never opens a device and never records or keeps sound or images.");

    // `activityMethod` names how input is observed (InputMonitoring::methodName()).
    AboutInfoView(std::function<void()> onClose, const QString &activityMethod, QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_close; }

private:
    std::function<void()> m_onClose;
    QPushButton *m_close;
};
