#include "calc/ListPage.h"

#include "ui_Wid.h"

TListPage::TListPage(Ui::TFrm_Wid &form, QWidget *window) : QObject(window), ui(form), m_window(window) {}

void TListPage::DekoButton1Click() {}
