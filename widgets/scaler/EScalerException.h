#pragma once

#include <QString>

#include <stdexcept>

// What the form scaler and its control entries throw when they are built without what
// they need. The message is the text the user of the component gets to see.
class EScalerException : public std::runtime_error
{
public:
    explicit EScalerException(const QString &message);
    ~EScalerException() override;

    QString message() const { return QString::fromUtf8(what()); }
};
