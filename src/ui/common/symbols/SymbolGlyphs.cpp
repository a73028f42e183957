#include "SymbolGlyphs.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>

#include <array>

namespace SymbolGlyphs {

namespace {

// Sorted by symbol name. The names come from every screen of the program: tray and panel,
// main window, focus board, task rows, statistics, settings, onboarding and about.
constexpr std::array kEntries{
    Entry{"arrow.up.circle.fill", "arrow-up-bold-circle", 0xF05F},
    Entry{"bell.badge.fill", "bell-ring", 0xF09E},
    Entry{"chart.bar.fill", "chart-bar", 0xF128},
    Entry{"checklist", "playlist-check", 0xF5C7},
    Entry{"checkmark.circle", "check-circle-outline", 0xF5E1},
    Entry{"checkmark.circle.fill", "check-circle", 0xF5E0},
    Entry{"circle", "checkbox-blank-circle-outline", 0xF130},
    Entry{"circle.fill", "checkbox-blank-circle", 0xF12F},
    Entry{"clock", "clock", 0xF150},
    Entry{"clock.fill", "clock", 0xF150},
    Entry{"cup.and.saucer", "coffee", 0xF176},
    Entry{"cup.and.saucer.fill", "coffee", 0xF176},
    Entry{"exclamationmark.circle.fill", "alert-circle", 0xF028},
    Entry{"figure.mind.and.body", "human-handsup", 0xF64C},
    Entry{"flame.fill", "fire", 0xF238},
    Entry{"gearshape", "settings", 0xF493},
    Entry{"gearshape.fill", "settings", 0xF493},
    Entry{"hand.tap", "cursor-pointer", 0xF1B7},
    Entry{"info.circle", "information-outline", 0xF2FD},
    Entry{"keyboard", "keyboard-variant", 0xF313},
    Entry{"keyboard.fill", "keyboard", 0xF30C},
    Entry{"laptopcomputer", "laptop", 0xF322},
    Entry{"lock.shield", "security", 0xF483},
    Entry{"moon.zzz", "weather-night", 0xF594},
    Entry{"moon.zzz.fill", "sleep", 0xF4B2},
    Entry{"pause.fill", "pause", 0xF3E4},
    Entry{"play.fill", "play", 0xF40A},
    Entry{"plus.circle.fill", "plus-circle", 0xF417},
    Entry{"target", "target", 0xF4FE},
    Entry{"timer", "timer", 0xF51B},
    Entry{"trash", "delete", 0xF1C0},
    Entry{"tray", "inbox", 0xF2FB},
    Entry{"xmark.circle", "close-circle-outline", 0xF15A},
};

} // namespace

std::span<const Entry> entries() { return kEntries; }

QString glyph(QStringView symbol)
{
    for (const Entry &entry : kEntries) {
        if (symbol == QLatin1String(entry.symbol))
            return QString(QChar(entry.codepoint));
    }
    return {};
}

bool ensureFontLoaded()
{
    static const bool loaded = [] {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile)) >= 0)
            return true;
        // Installed elsewhere, fontconfig may still know the family.
        return QFontDatabase::families().contains(QString::fromLatin1(kFontFamily));
    }();
    return loaded;
}

QFont font(qreal pixelSize)
{
    ensureFontLoaded();
    QFont result(QString::fromLatin1(kFontFamily));
    result.setPixelSize(qMax(1, qRound(pixelSize)));
    result.setStyleStrategy(QFont::NoFontMerging);
    return result;
}

QPixmap pixmap(QStringView symbol, int pixelSize, const QColor &color, qreal devicePixelRatio)
{
    const int side = qRound(pixelSize * devicePixelRatio);
    QPixmap result(side, side);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font(pixelSize));
    painter.setPen(color);
    painter.drawText(QRectF(0, 0, pixelSize, pixelSize), Qt::AlignCenter, glyph(symbol));
    return result;
}

QIcon icon(QStringView symbol, int pixelSize, const QColor &color)
{
    QIcon result;
    result.addPixmap(pixmap(symbol, pixelSize, color, 1.0));
    result.addPixmap(pixmap(symbol, pixelSize, color, 2.0));
    return result;
}

} // namespace SymbolGlyphs
