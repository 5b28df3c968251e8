#pragma once

#include <QString>
#include <QStringList>

// The axis header texts of the E12 pair matrix. They are the only source of the
// matrix values: the body is filled from them and the search and readout read them back.
namespace E12Axes {

inline constexpr int kColumns = 49; // body columns 1..49
inline constexpr int kRows = 43;    // body rows 1..43

// Column headers (row 0, columns 1..49): "1,0" .. "8,2", "10" .. "82", "100" .. "820",
// "1000" .. "8200", "10000".
const QStringList &columnTexts();
// Row headers (column 0, rows 1..43): the first 43 column texts, "1,0" .. "3300".
const QStringList &rowTexts();

} // namespace E12Axes
