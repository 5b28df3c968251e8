#include "widgets/scaler/EScalerException.h"

EScalerException::EScalerException(const QString &message) : std::runtime_error(message.toStdString()) {}

// Out of line, so the class has one home for its virtual table.
EScalerException::~EScalerException() = default;
