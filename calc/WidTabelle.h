#pragma once

#include <QMainWindow>

#include "ui_Wid.h"

class FormScaler;

// The calculator window: the pair finder on its first tab, the list calculator on its
// second. Created once at start-up, hidden until the main menu opens it; closing it
// only hides it.
class TFrm_Wid : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFrm_Wid(QWidget *parent = nullptr);

    // Makes tab page `index` (0 "Rges gegeben", 1 "Rges gesucht") the active page.
    void showPage(int index);

    Ui::TFrm_Wid ui;
    FormScaler *FormScaler1;

public slots:
    void FormCreate();
    void zurAuswahl2Click();
    void Programmbeenden1Click();
    void HilfezumProgramm1Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
};

extern TFrm_Wid *Frm_Wid;
