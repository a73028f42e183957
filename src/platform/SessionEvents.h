#pragma once

#include <QObject>

#include <bitset>

// Times when nobody can be at the computer, whatever input arrives: the machine going to
// sleep, the session locked, the screen saver on. The platform's backend reports each
// cause as it starts and ends; the activity monitor only needs to know whether any holds.
class SessionEvents : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool inactive READ isInactive NOTIFY inactiveChanged)

public:
    enum class Cause { sleep, lock, screenSaver };

    using QObject::QObject;

    bool isInactive() const { return m_causes.any(); }
    bool holds(Cause cause) const { return m_causes.test(static_cast<std::size_t>(cause)); }
    // Records that `cause` started (`on`) or ended; announces only a change of isInactive().
    void set(Cause cause, bool on);

signals:
    void inactiveChanged(bool inactive);

private:
    std::bitset<3> m_causes;
};
