#pragma once

#include <QWidget>

class QPushButton;

// The last step: "All Set!" and the button that ends the flow.
class CompleteStep : public QWidget {
    Q_OBJECT
public:
    explicit CompleteStep(QWidget *parent = nullptr);

    QPushButton *mainButton() const { return m_main; }

signals:
    void finish();

private:
    QPushButton *m_main;
};
