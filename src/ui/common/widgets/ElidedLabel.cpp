#include "ElidedLabel.h"

#include <QEvent>
#include <QTextLayout>

ElidedLabel::ElidedLabel(QWidget *parent, int maximumLines) : QLabel(parent), m_maximumLines(qMax(1, maximumLines))
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::setFullText(const QString &text)
{
    if (text == m_fullText && !text.isEmpty())
        return;
    m_fullText = text;
    setAccessibleName(text);
    refit();
    updateGeometry();
}

QString ElidedLabel::fitted(const QString &text, const QFont &font, int width, int lines)
{
    const QFontMetrics metrics(font);
    if (width <= 0)
        return text;
    QString plain = text;
    plain.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (lines <= 1)
        return metrics.elidedText(plain, Qt::ElideRight, width);
    QTextLayout layout(plain, font);
    layout.beginLayout();
    QStringList shown;
    for (int line = 0; line < lines; ++line) {
        QTextLine next = layout.createLine();
        if (!next.isValid())
            break;
        next.setLineWidth(width);
        const QString part = plain.mid(next.textStart(), next.textLength());
        if (line == lines - 1) {
            // The last line takes the rest of the text, ended by an ellipsis where it goes on.
            shown << metrics.elidedText(plain.mid(next.textStart()).trimmed(), Qt::ElideRight, width);
            break;
        }
        shown << part.trimmed();
    }
    layout.endLayout();
    return shown.join(QLatin1Char('\n'));
}

void ElidedLabel::refit()
{
    const QString shown = fitted(m_fullText, font(), contentsRect().width(), m_maximumLines);
    if (shown != text())
        setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("W…")), sizeHint().height()};
}

QSize ElidedLabel::sizeHint() const
{
    const int lines = qMin(m_maximumLines, qMax(1, static_cast<int>(text().count(QLatin1Char('\n'))) + 1));
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(m_fullText) + margins.left() + margins.right(),
            fontMetrics().lineSpacing() * lines + margins.top() + margins.bottom()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refit();
}

void ElidedLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refit();
}
