#pragma once

#include <QWidget>

#include <utility>
#include <vector>

// One line of a feature list: a symbol in a 24-wide box, then the text, shown literally.
class FeatureRow : public QWidget {
    Q_OBJECT
public:
    FeatureRow(const QString &icon, const QString &text, QWidget *parent = nullptr);

    QString icon() const { return m_icon; }
    QString text() const { return m_text; }

    // The three lines the welcome step and the about view share.
    static std::vector<std::pair<QString, QString>> introductionFeatures();
    // A left-aligned column of rows, with `margin` above and below, centred in its width.
    static QWidget *column(const std::vector<std::pair<QString, QString>> &features, int margin,
                           QWidget *parent = nullptr);

private:
    QString m_icon;
    QString m_text;
};
