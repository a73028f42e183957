#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

// One group of a grouped form: an optional header above a rounded card of rows,
// separated by thin lines, and an optional footer below it.
class FormSection : public QWidget {
    Q_OBJECT
public:
    explicit FormSection(const QString &header = {}, const QString &footer = {}, QWidget *parent = nullptr);

    // Adds a row with `title` on the left and `control` on the right; returns the title's label.
    QLabel *addRow(const QString &title, QWidget *control);
    // Adds a row that holds `widget` alone.
    void addWidgetRow(QWidget *widget);

private:
    void addSeparatorIfNeeded();

    QWidget *m_card;
    QVBoxLayout *m_rows;
};
