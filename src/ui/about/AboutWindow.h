#pragma once

#include "ui/common/ViewFactories.h"

#include <QWidget>

// The about window: titled "About Pelmix", known to the window system by the identifier
// "onboarding", sized to its content (the onboarding view in information mode, whose "Close"
// closes this window and nothing else).
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kIdentifier = QStringLiteral("onboarding");
    static inline const QString kTitle = QStringLiteral("About Pelmix");

    explicit AboutWindow(const ViewFactories::Factory &makeContent, QWidget *parent = nullptr);

    QWidget *content() const { return m_content; }

    // Shows the window (again) and brings it to the front.
    void bringToFront();

private:
    QWidget *m_content;
};
