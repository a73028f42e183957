#pragma once

#include "ui/common/style/ColorRole.h"

#include <QWidget>

class QLabel;

// One tile of today's summary: a symbol, the figure and its caption, centred.
class StatBox : public QWidget {
    Q_OBJECT
public:
    StatBox(const QString &title, const QString &value, const QString &icon, ColorRole color,
            QWidget *parent = nullptr);

    QString title() const;
    QString value() const;
    void setValue(const QString &value);

private:
    QLabel *m_value;
    QLabel *m_title;
};
