#include "calc/EntryField.h"

#include "common/SystemColors.h"
#include "widgets/NumberEdit.h"

#include <QFont>

namespace EntryField {

void configure(TNumberEdit *field, int precision, double value)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    field->setEditPrecision(precision);
    field->setEditType(TNumberEdit::etFloat);
    field->setDecimal(TNumberEdit::spComma);
    field->setUseThousandSeparator(true);
    field->setCheckOnExit(true);
    field->setMinValue(0);
    field->setMaxValue(0);
    field->setAlignment(TNumberEdit::taRightJustify);
    field->setColorOnFocus(SystemColors::yellow());
    field->setColorOnNoFocus(SystemColors::yellow());
    field->setFontOnFocus(font);
    field->setFontOnNoFocus(font);
    field->setValueFloat(value);
}

} // namespace EntryField
