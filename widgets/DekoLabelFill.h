#pragma once

#include <QBrush>
#include <QColor>
#include <QLabel>

// A decorative label whose glyphs are filled with a brush and outlined, used for the
// parts of the program's logo. It carries its caption and colours and nothing else.
class DekoLabelFill : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor glyphFill READ glyphFill WRITE setGlyphFill)
    Q_PROPERTY(QColor controlColor READ controlColor WRITE setControlColor)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)

public:
    explicit DekoLabelFill(QWidget *parent = nullptr);

    QColor glyphFill() const { return m_glyphFill; }
    void setGlyphFill(const QColor &c);
    // Colour of the glyphs' outline.
    QColor controlColor() const { return m_controlColor; }
    void setControlColor(const QColor &c);
    // The dark edge drawn on the left, right and top of every glyph.
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &c);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int w);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_glyphFill = Qt::blue;
    QColor m_controlColor = QColor(0, 0, 128);
    QColor m_borderColor = Qt::black;
    int m_borderWidth = 2;
};
