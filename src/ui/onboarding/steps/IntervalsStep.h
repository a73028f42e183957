#pragma once

#include <QWidget>

#include <vector>

class ChoiceChip;
class QPushButton;
class UserSettings;

// Picks the work and break lengths with chips that store their value at once.
class IntervalsStep : public QWidget {
    Q_OBJECT
public:
    explicit IntervalsStep(UserSettings &settings, QWidget *parent = nullptr);

    const std::vector<ChoiceChip *> &workChips() const { return m_workChips; }
    const std::vector<ChoiceChip *> &breakChips() const { return m_breakChips; }
    QPushButton *mainButton() const { return m_main; }

signals:
    void next();

private:
    void refresh();

    UserSettings &m_settings;
    std::vector<ChoiceChip *> m_workChips;
    std::vector<ChoiceChip *> m_breakChips;
    QPushButton *m_main;
};
