#include "calc/global_Wid.h"

QString Einheit_Wid;
