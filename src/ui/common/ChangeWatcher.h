#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <initializer_list>

// Calls `onChange` whenever a watched manager announces a change: every signal its class
// declares (its published properties' NOTIFY signals and the like), or only the named ones.
// Views redraw through it, so they stay in step with the managers without wiring each signal.
class ChangeWatcher : public QObject {
    Q_OBJECT
public:
    explicit ChangeWatcher(std::function<void()> onChange, QObject *parent = nullptr);

    // `signalNames` empty: all signals of the source's own classes. Name the signals where the
    // source also announces what the view does not show, so that it costs no redraw.
    void watch(QObject *source, std::initializer_list<QByteArray> signalNames = {});

private slots:
    void sourceChanged();

private:
    std::function<void()> m_onChange;
};
