#pragma once

#include <QMainWindow>

#include "ui_Haupt.h"

class TFormScaler;
class THelpHook;

// The main window: the program's logo, two short descriptions and the menu that opens
// the calculator, the information windows and the help. Closing it ends the program,
// always after a question.
class TFrm_Haupt : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFrm_Haupt(QWidget *parent = nullptr);
    ~TFrm_Haupt() override;

    static QString windowCaption();
    // Where the help file is expected: the folder of the program's executable.
    static QString helpFilePath();

    Ui::TFrm_Haupt ui;
    TFormScaler *FormScaler1;

public slots:
    void FormCreate();
    void Rgesgegeben2Click();
    void Rgesgesucht1Click();
    void Programmbeenden1Click();
    void HinweiseClick();
    void InfoClick();
    void KontaktClick();
    void Hilfeaufrufen1Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool FormCloseQuery();
    void FormDestroy();

    QString m_helpFile;
};

extern TFrm_Haupt *Frm_Haupt;
// Created and freed by the main window; empty before and after.
extern THelpHook *Hilfe_Hook;
