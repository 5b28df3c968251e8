#pragma once

#include <QWidget>

// The Kontakt window; created hidden at start-up, shown by the main window's menu.
class TFrm_Kontakt : public QWidget
{
    Q_OBJECT

public:
    explicit TFrm_Kontakt(QWidget *parent = nullptr);

public slots:
    void FormCreate();
};

extern TFrm_Kontakt *Frm_Kontakt;
