#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

// A flat push button whose caption is drawn with smoothed glyphs. It has no bevel; the
// pointer over it lights its face and underlines the caption, pressing it darkens the
// face and slants the caption.
class AntialiasButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit AntialiasButton(QWidget *parent = nullptr);

    enum class State { Normal, Hot, Down };
    State state() const;
    // The caption's colour and font in the current state.
    QColor captionColor() const;
    QFont captionFont() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
