#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <queue>

// Answers real modal message boxes from a timer while the code under test waits in
// them, and records what each box showed.
//
//   BoxAnswerer boxes;
//   boxes.answer("&Nein");
//   window->close();
//   QCOMPARE(boxes.seen().size(), 1);
class BoxAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons; // captions, in order
        QString defaultButton;
        QString escapeButton;
        QString clicked;
    };

    BoxAnswerer();
    ~BoxAnswerer() override;

    // Queues the button caption to click in the next box that appears. A caption of
    // "<Escape>" presses Escape instead, "<Close>" closes the box by its title bar.
    void answer(const QString &caption);
    // Called while a box is open, before it is answered (for checks of program state).
    void onBox(std::function<void(const Box &)> inspect) { m_inspect = std::move(inspect); }
    // Chooses the caption (or "<Escape>", "<Close>") for every box that has no queued answer.
    void answerWith(std::function<QString(const Box &)> choose) { m_choose = std::move(choose); }

    const QList<Box> &seen() const { return m_seen; }
    // Boxes that appeared while no answer was queued and no chooser was set; they were
    // closed with Escape.
    int unexpected() const { return m_unexpected; }

private:
    void poll();

    QTimer m_timer;
    std::queue<QString> m_answers;
    QList<Box> m_seen;
    int m_unexpected = 0;
    std::function<void(const Box &)> m_inspect;
    std::function<QString(const Box &)> m_choose;
};
