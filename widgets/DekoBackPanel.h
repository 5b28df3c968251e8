#pragma once

#include <QFrame>
#include <QPixmap>

// A panel that shows a picture stretched over its whole surface, behind the controls it
// holds.
class DekoBackPanel : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ picture WRITE setPicture)

public:
    explicit DekoBackPanel(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
