#pragma once

#include <QWidget>

// The Info window; created hidden at start-up, shown by the main window's menu.
class TFrm_Info : public QWidget
{
    Q_OBJECT

public:
    explicit TFrm_Info(QWidget *parent = nullptr);

public slots:
    void FormCreate();
};

extern TFrm_Info *Frm_Info;
