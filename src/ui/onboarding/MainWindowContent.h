#pragma once

#include <QWidget>

#include <functional>

class QVBoxLayout;
class UserSettings;

// What the main window shows: the onboarding flow in its fixed frame, centred, while
// onboarding is not complete, and the main view from then on. It follows every change of
// the settings, so finishing the flow switches the same window to the main view in place.
class MainWindowContent : public QWidget {
    Q_OBJECT
public:
    using Factory = std::function<QWidget *()>;

    // The window's size when it opens on the main view.
    static constexpr QSize kMainViewDefaultSize{800, 600};

    MainWindowContent(UserSettings &settings, Factory makeOnboarding, Factory makeMainView, QWidget *parent = nullptr);

    bool showsMainView() const { return m_showsMainView; }
    QWidget *current() const { return m_current; }
    // The size a window opening on the current content starts at.
    QSize preferredWindowSize() const;

signals:
    // The content was replaced; the window may want to take preferredWindowSize().
    void switched(bool showsMainView);

private:
    void choose();

    UserSettings &m_settings;
    Factory m_makeOnboarding;
    Factory m_makeMainView;
    QVBoxLayout *m_layout;
    QWidget *m_current = nullptr;
    bool m_showsMainView = false;
};
