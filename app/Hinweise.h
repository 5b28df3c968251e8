#pragma once

#include <QWidget>

// The Hinweise window; created hidden at start-up, shown by the main window's menu.
class TFrm_Hinweise : public QWidget
{
    Q_OBJECT

public:
    explicit TFrm_Hinweise(QWidget *parent = nullptr);

public slots:
    void FormCreate();
};

extern TFrm_Hinweise *Frm_Hinweise;
