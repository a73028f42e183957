#pragma once

#include <QMetaType>

// The sections of the main window.
enum class AppSection { focus, stats, settings };

Q_DECLARE_METATYPE(AppSection)
