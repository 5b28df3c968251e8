#pragma once

#include "calc/global.h"

#include <QObject>

#include <array>
#include <vector>

namespace Ui {
class TFrm_Wid;
}
class DekoLabelRotated;
class TFormScaler;
class TScreenReaderNotice;
class QLabel;
class QWidget;

// The list calculator on the calculator window's second tab: the commands, the row of
// resistors with its markers, the total and the reference table. It works on the
// window's controls and on the program-wide list state (calc/global.h).
//
// The commands and the moves between the work record and the entry controls live in
// ListPage.cpp; the set-up of the tab's controls and the display routines (the row, the
// markers, the captions and the total) in ListDisplay.cpp.
class TListPage : public QObject
{
    Q_OBJECT

public:
    // The row's positions follow the window's current size through its form scaler.
    TListPage(Ui::TFrm_Wid &ui, QWidget *window, const TFormScaler &scaler);

    // Loads the entry field and the hidden unit selector from ArbeitsSatz.
    void FelderLaden();
    // Stores the entry field's value and the unit selector into ArbeitsSatz, unchecked.
    void FelderSichern();

    // Refresh: AnzeigeLoeschen, GesamtBerechnen, AnzeigeAufbauen.
    void Neuanzeige();
    // Hides the pictures and empties the numbers, units and values of the row.
    void AnzeigeLoeschen();
    // Writes the parallel total of the stored resistors into Edit_ges.
    void GesamtBerechnen();
    // Fills the row, places the markers and names the current number on the buttons.
    void AnzeigeAufbauen();
    // Places the row's stored positions and the markers at the window's current scale.
    void ZeileAusrichten();

public slots:
    // "Ok und neu": stores the entry field and moves to a blank new slot.
    void Btn_NeuClick();
    // The navigation buttons "|<", "<", ">", ">|".
    void DekoButton2Click();
    void Btn_minusClick();
    void DekoButton4Click();
    void DekoButton5Click();
    // Number n or picture n of the row (Nr_R_1Click .. Nr_R_20Click, shared by Image n):
    // only a shown one, that is a stored position, responds.
    void Nr_R_Click(int n);
    // "entfernen" with its question.
    void Btn_EntfClick();
    // The commands of the hidden buttons "einfügen" and "ändern".
    void Btn_EinfClick();
    void Btn_AndersClick();
    // Empties the list without asking (the clear-all button, also run by the window).
    void DekoButton1Click();
    // A key was released in the value field.
    void Edit_RKeyUp();

signals:
    // A key was released in the value field: the pair finder's search runs.
    void searchRequested();

protected:
    // Turns mouse clicks on the row's numbers and pictures into Nr_R_Click.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // ListDisplay.cpp: finds the row's controls and gives the tab its look.
    void SetUpControls();
    void SetUpReferenceTable();
    // Keeps the whole reference table inside its box when the window is smaller than designed.
    void TabelleAusrichten();

    // Tells a screen reader the total and the current position at the list's commands.
    void describeList();

    void Navigieren(Schritt schritt);
    void EntryFocus();

    Ui::TFrm_Wid &ui;
    QWidget *m_window;
    const TFormScaler &m_scaler;
    // The row's controls by position 1..20 (index 0 unused).
    std::array<QLabel *, kMaxWiderstaende + 1> m_image{};
    std::array<QLabel *, kMaxWiderstaende + 1> m_nr{};
    std::array<DekoLabelRotated *, kMaxWiderstaende + 1> m_einheit{};
    std::array<DekoLabelRotated *, kMaxWiderstaende + 1> m_wert{};
    // The reference table's column widths and row heights as its description gives them.
    std::vector<int> m_tableColWidths;
    std::vector<int> m_tableRowHeights;
    const QObject *m_tableViewport = nullptr;
    // The number or picture a left mouse button went down on.
    QObject *m_pressed = nullptr;
    TScreenReaderNotice *m_notice;
};
