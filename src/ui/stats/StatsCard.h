#pragma once

#include <QWidget>

class QVBoxLayout;

// The frame the three statistics cards share: a title in the headline font and secondary
// colour above the card's content, on a translucent rounded panel.
class StatsCard : public QWidget {
    Q_OBJECT
public:
    explicit StatsCard(const QString &title, QWidget *parent = nullptr);

protected:
    QVBoxLayout *contentLayout() const { return m_layout; }
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *m_layout;
};
