#pragma once

#include "stats/StatsManager.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QPalette>
#include <QRandomGenerator>
#include <QStyle>
#include <QStyleFactory>

// What the screens are rendered with offscreen, for the pictures and the contrast checks: the
// Fusion style, a fixed font, and a light palette or one like KDE's Breeze Dark.
namespace SampleScreens {

inline void setUpApplication(QFont::StyleStrategy fontStrategy = QFont::PreferDefault)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setStyleStrategy(fontStrategy);
    QApplication::setFont(font);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

inline QPalette lightPalette() { return QApplication::style()->standardPalette(); }

inline QPalette darkPalette()
{
    const QColor window(0x20, 0x23, 0x26), base(0x14, 0x16, 0x18), button(0x29, 0x2c, 0x30);
    const QColor text(0xfc, 0xfc, 0xfc), inactiveText(0xa1, 0xa9, 0xb1), disabledText(0x6e, 0x71, 0x73);
    QPalette palette(text, button, button.lighter(130), button.darker(130), button.darker(110), text, text, base,
                     window);
    palette.setColor(QPalette::AlternateBase, QColor(0x1d, 0x1f, 0x22));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::Link, QColor(0x1d, 0x99, 0xf3));
    palette.setColor(QPalette::PlaceholderText, inactiveText);
    palette.setColor(QPalette::ToolTipBase, button);
    palette.setColor(QPalette::ToolTipText, text);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

inline Instant at(const QDate &day, int minutesIntoDay)
{
    return Instant::fromDateTime(day.startOfDay().addSecs(minutesIntoDay * 60));
}

// A plausible week up to `now`: mornings and afternoons of 25-minute sessions with 5-minute
// breaks, the odd session cut short, and today's tasks named.
inline void generateWeek(StatsManager &stats, const QDate &today, const Instant &now)
{
    QRandomGenerator random(20260314);
    const QStringList tasks{"Write report", "Review pull requests", "Plan the sprint"};
    for (int offset = -6; offset <= 0; ++offset) {
        const QDate day = today.addDays(offset);
        const int sessions = offset == 0 ? 5 : static_cast<int>(random.bounded(4, 16));
        int minute = 8 * 60 + 30 + static_cast<int>(random.bounded(0, 60));
        for (int i = 0; i < sessions; ++i) {
            const bool completed = random.bounded(10) != 0 || offset == 0;
            const qint64 work = completed ? 1500 : 300 + random.bounded(900);
            const Instant start = at(day, minute);
            if (start.addSeconds(static_cast<double>(work)) > now)
                break;
            std::optional<QString> task;
            if (offset == 0)
                task = tasks[i % tasks.size()];
            stats.appendSession(Session::make(start, start.addSeconds(static_cast<double>(work)), work,
                                              SessionType::work, completed, task));
            minute += static_cast<int>(work / 60) + 1;
            const qint64 rest = (i + 1) % 4 == 0 ? 900 : 300;
            const Instant breakStart = at(day, minute);
            stats.appendSession(Session::make(breakStart, breakStart.addSeconds(static_cast<double>(rest)), rest,
                                              SessionType::breakSession, i != 2 || offset != 0));
            minute += static_cast<int>(rest / 60) + 2 + static_cast<int>(random.bounded(0, 20));
            if (i == 3)
                minute += 60; // lunch
        }
    }
}

} // namespace SampleScreens
