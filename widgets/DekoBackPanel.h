#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>

// A panel that shows a picture stretched over its whole surface, behind the controls it
// holds.
class DekoBackPanel : public QFrame
{
    Q_OBJECT
    // The picture's file (a PNG). It is read the first time the panel needs it: a panel in
    // a window created hidden at start-up costs nothing until the window is shown.
    Q_PROPERTY(QString pictureFile READ pictureFile WRITE setPictureFile)

public:
    explicit DekoBackPanel(QWidget *parent = nullptr);

    QString pictureFile() const { return m_pictureFile; }
    void setPictureFile(const QString &file);
    QPixmap picture() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_pictureFile;
    mutable QPixmap m_picture;
    mutable qreal m_pictureRatio = 0;
};
