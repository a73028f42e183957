#pragma once

#include <QMetaType>
#include <QString>

#include <array>
#include <optional>

// The sections of the main window, in sidebar order.
enum class AppSection { focus, stats, settings };

inline constexpr std::array kAllAppSections{AppSection::focus, AppSection::stats, AppSection::settings};

// The raw value, which is also the title shown in the sidebar.
inline QString rawValue(AppSection section)
{
    switch (section) {
    case AppSection::focus:
        return QStringLiteral("Focus");
    case AppSection::stats:
        return QStringLiteral("Stats");
    case AppSection::settings:
        return QStringLiteral("Settings");
    }
    return {};
}

// The sidebar icon, a system symbol name.
inline QString iconName(AppSection section)
{
    switch (section) {
    case AppSection::focus:
        return QStringLiteral("checklist");
    case AppSection::stats:
        return QStringLiteral("chart.bar.fill");
    case AppSection::settings:
        return QStringLiteral("gearshape.fill");
    }
    return {};
}

// Matches the raw values exactly, letter case included.
inline std::optional<AppSection> appSectionFromRawValue(const QString &raw)
{
    for (const AppSection section : kAllAppSections) {
        if (rawValue(section) == raw)
            return section;
    }
    return std::nullopt;
}

Q_DECLARE_METATYPE(AppSection)
