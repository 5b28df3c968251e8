#pragma once

#include <QLabel>

// A label whose caption reads from bottom to top (turned by 90 degrees), on a filled
// background: the value and unit boxes standing above each resistor of the list.
class DekoLabelRotated : public QLabel
{
    Q_OBJECT

public:
    explicit DekoLabelRotated(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
