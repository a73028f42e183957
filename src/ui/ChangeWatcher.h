#pragma once

#include <QObject>

#include <functional>

// Calls `onChange` whenever any published property of the watched objects announces a change
// (every NOTIFY signal of their Q_PROPERTYs). Views redraw through it, so they stay in step
// with the managers without naming each signal.
class ChangeWatcher : public QObject {
    Q_OBJECT
public:
    explicit ChangeWatcher(std::function<void()> onChange, QObject *parent = nullptr);

    void watch(QObject *source);

private slots:
    void sourceChanged();

private:
    std::function<void()> m_onChange;
};
