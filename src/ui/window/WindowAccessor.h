#pragma once

#include <QObject>

class AppState;
class Desktop;

// Lives with the main view and answers requests to bring the program forward: when the
// application state asks for the main window, it activates the program and clears the request.
class WindowAccessor : public QObject {
    Q_OBJECT
public:
    WindowAccessor(AppState &appState, Desktop &desktop, QObject *parent = nullptr);

private:
    void followShowRequest();

    AppState &m_appState;
    Desktop &m_desktop;
};
