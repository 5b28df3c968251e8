#pragma once

#include <QLabel>

// A decorative caption that keeps the box it is given (unlike a plain label, which the
// form scaler fits to its text). With a link it reads as one: a pointing hand over it,
// and a left click opens the link in the desktop's web browser.
class DekoLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString link READ link WRITE setLink)

public:
    explicit DekoLabel(QWidget *parent = nullptr);

    QString link() const { return m_link; }
    void setLink(const QString &link);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_link;
};
