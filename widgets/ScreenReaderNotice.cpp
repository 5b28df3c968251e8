#include "widgets/ScreenReaderNotice.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// One object of the notification as screen readers see it: the notification itself, a child
// of the window though none of its shown children, or the text inside it. A screen reader
// reads a notification's texts, not its name, into the list of notifications it keeps.
class NoticePart : public QAccessibleInterface
{
public:
    NoticePart(QWidget *window, QAccessible::Role role) : m_window(window), m_role(role) {}

    QAccessible::Id parentId = 0; // 0: the window
    QAccessible::Id childId = 0;
    QString name;

    bool isValid() const override { return !m_window.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        if (parentId) return QAccessible::accessibleInterface(parentId);
        return m_window ? QAccessible::queryAccessibleInterface(m_window) : nullptr;
    }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && childId ? QAccessible::accessibleInterface(childId) : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return childId ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *c) const override { return c && c == child(0) ? 0 : -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? name : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return m_role; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> m_window;
    QAccessible::Role m_role;
};

NoticePart *part(QAccessible::Id id)
{
    return static_cast<NoticePart *>(QAccessible::accessibleInterface(id));
}

} // namespace

TScreenReaderNotice::TScreenReaderNotice(QWidget *window) : QObject(window), m_window(window) {}

TScreenReaderNotice::~TScreenReaderNotice()
{
    if (m_text) QAccessible::deleteAccessibleInterface(m_text);
    if (m_notification) QAccessible::deleteAccessibleInterface(m_notification);
}

void TScreenReaderNotice::say(const QString &text)
{
    if (!QAccessible::isActive()) return;
    if (!m_notification) {
        m_notification = QAccessible::registerAccessibleInterface(new NoticePart(m_window, QAccessible::Notification));
        m_text = QAccessible::registerAccessibleInterface(new NoticePart(m_window, QAccessible::StaticText));
        part(m_notification)->childId = m_text;
        part(m_text)->parentId = m_notification;
    }
    part(m_text)->name = text;
    // A notification that shows is what a screen reader speaks, whatever has the focus.
    QAccessibleEvent shown(part(m_notification), QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void TScreenReaderNotice::describe(const QList<QWidget *> &controls, const QString &text)
{
    if (controls.isEmpty() || controls.front()->accessibleDescription() == text) return;
    bool focused = false;
    for (QWidget *control : controls) {
        control->setAccessibleDescription(text);
        focused = focused || control->hasFocus();
    }
    // A screen reader speaks a new description of the focused control, but Qt 6.4 reports it
    // without its text, so it is said once more.
    if (focused) say(text);
}
