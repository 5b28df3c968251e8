#pragma once

#include <QObject>

namespace Ui {
class TFrm_Wid;
}
class QWidget;

// The list calculator on the calculator window's second tab: the commands, the row of
// resistors with its markers, the total and the reference table. It works on the
// window's controls and on the program-wide list state.
class TListPage : public QObject
{
    Q_OBJECT

public:
    TListPage(Ui::TFrm_Wid &ui, QWidget *window);

public slots:
    // Empties the list without asking (the clear-all button, also run by the window).
    void DekoButton1Click();

signals:
    // A key was released in the value field: the pair finder's search runs.
    void searchRequested();

private:
    Ui::TFrm_Wid &ui;
    QWidget *m_window;
};
