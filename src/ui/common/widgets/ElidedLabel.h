#pragma once

#include <QLabel>

// A label for titles of any length: it shows as many whole words as fit on its lines and
// ends with an ellipsis ("…") where the text goes on, never cutting a letter; the whole text is
// then its tooltip, and always its accessible name.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr, int maximumLines = 1);

    void setFullText(const QString &text);
    QString fullText() const { return m_fullText; }
    bool isElided() const { return text() != m_fullText; }

    // The text as it fits `lines` lines of `width` pixels in `font`.
    static QString fitted(const QString &text, const QFont &font, int width, int lines);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refit();

    QString m_fullText;
    int m_maximumLines;
};
