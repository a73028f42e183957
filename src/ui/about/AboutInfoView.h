#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

// The small information panel: name, tagline, features, version and a close button.
class AboutInfoView : public QWidget {
    Q_OBJECT
public:
    static inline const QString kVersionText = QStringLiteral("Version 1.0");

    explicit AboutInfoView(std::function<void()> onClose, QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_close; }

private:
    std::function<void()> m_onClose;
    QPushButton *m_close;
};
