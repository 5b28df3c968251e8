#pragma once

#include <QMainWindow>

#include <optional>

#include "ui_Wid.h"

class TFormScaler;
class TListPage;
class TScreenReaderNotice;

// The calculator window: the pair finder on its first tab, the list calculator on its
// second. Created once at start-up, hidden until the main menu opens it; closing it
// only hides it, so both tabs keep their state.
class TFrm_Wid : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFrm_Wid(QWidget *parent = nullptr);

    // Makes tab page `index` (0 "Rges gegeben", 1 "Rges gesucht") the active page.
    void showPage(int index);

    // The pair finder's search: reads the wanted value and the tolerance, marks every
    // matrix cell in the band and writes counts, band and messages into the panel.
    void Paare_suchen();
    // The readout of the matrix cell under a point of the grid's viewport.
    void Cursor_Anzeige(int x, int y);

    Ui::TFrm_Wid ui;
    TFormScaler *FormScaler1;
    TListPage *ListPage;

public slots:
    void FormCreate();
    // Runs each time the window is shown from hidden, its first showing included.
    void FormShow();
    void PageControl1Change(int index);
    void zurAuswahl2Click();
    void Programmbeenden1Click();
    void HilfezumProgramm1Click();

    void FormMouseMove();
    void TabSheet1MouseMove();
    void Panel1MouseMove();
    void Grid1_MouseMove(int x, int y);
    void Grid1_CurrentCellChanged(int col, int row);

    void Edit_WidKeyUp();
    void Edit_ProzKeyUp();
    void Edit_WidClick();
    void Edit_ProzClick();
    void Edit_ProzMouseDown();
    void Button1Click();
    void Button2Click();
    void Auswahl1Click();
    void Auswahl2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MatrixFuellen();
    void Positionieren();
    QStringList columnHeaders() const;
    QStringList rowHeaders() const;
    // Tells a screen reader the result of a search at the controls that start one.
    void describeResult(bool accepted);
    // What a screen reader tells about a matrix cell beside its text: its class and deviation.
    QString cellDescription(int col, int row) const;
    // The deviation of the cell's shown value from the wanted value, as the readout writes it.
    std::optional<QString> deviationText(int col, int row) const;

    TScreenReaderNotice *m_resultNotice;
};

extern TFrm_Wid *Frm_Wid;
