#include "widgets/FormScaler.h"

#include <QWidget>

FormScaler::FormScaler(QWidget *form) : QObject(form), m_form(form) {}

// Proportional scaling arrives with its own change; until then every window keeps its
// design size and these two steps leave the layout alone.
void FormScaler::CaptureLayout() {}

void FormScaler::ApplyLayout() {}
