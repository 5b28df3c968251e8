#pragma once

#include <QLabel>

// A label whose caption reads from bottom to top (turned by 90 degrees), on a filled
// background: the value and unit boxes standing above each resistor of the list. A caption
// longer than the label is drawn smaller, so that it is always shown whole.
class DekoLabelRotated : public QLabel
{
    Q_OBJECT

public:
    explicit DekoLabelRotated(QWidget *parent = nullptr);

    // The label's font, or a smaller one where its caption would not fit the label's length.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
