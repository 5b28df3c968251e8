#pragma once

#include <QAccessible>
#include <QList>
#include <QObject>

class QWidget;

// Tells a screen reader a short text the moment it is given, as a notification of a window:
// the reader speaks it wherever the focus is and keeps it with its recent notifications.
// Nothing is drawn. It stands in for an announcement, which Qt 6.4 cannot make: a screen
// reader speaks changes of names and descriptions only of the focused control, and Qt 6.4
// reports even those without the new text, so they are not spoken at all.
class TScreenReaderNotice : public QObject
{
    Q_OBJECT

public:
    explicit TScreenReaderNotice(QWidget *window);
    ~TScreenReaderNotice() override;

    // Does nothing while no screen reader listens.
    void say(const QString &text);
    // The result of what the user does at one of `controls`: each of them carries it as its
    // description, which a screen reader reads with the control when the user comes to it or
    // asks where they are, and a new one is said at once while one of them has the focus.
    void describe(const QList<QWidget *> &controls, const QString &text);

private:
    QWidget *m_window;
    // The notification and the one text in it, registered once a screen reader listens.
    QAccessible::Id m_notification = 0;
    QAccessible::Id m_text = 0;
};
