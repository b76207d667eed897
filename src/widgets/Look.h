#pragma once

#include <QColor>
#include <QString>

class QApplication;

namespace look {

inline const QColor kOddRow{0xC0, 0xDC, 0xC0};  // money green
inline const QColor kEvenRow{0xFF, 0xFB, 0xF0}; // cream

// Row colour by the parity of the grid row index; row 0 is the header row, so the first data row is odd.
inline QColor rowColour(int gridRow) {
    return gridRow % 2 != 0 ? kOddRow : kEvenRow;
}

// The calm dark-steel look of every window and dialog.
void apply(QApplication& app);

} // namespace look
