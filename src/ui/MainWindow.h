#pragma once

#include <QMainWindow>

// The main window. Closing it only hides it: the program keeps running in the tray.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize kDefaultSize{800, 600};
    static constexpr QSize kMinimumSize{700, 500};

    explicit MainWindow(QWidget *parent = nullptr);

    // Shows the window again if it was closed, and raises it.
    void bringToFront();

protected:
    void closeEvent(QCloseEvent *event) override;
};
