#pragma once
// Printing a plan as it stands on screen: a grid of seats with the names in
// them, one page for each grid, on the printer the print preview hands over.

#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

class QPrinter;

namespace common {

struct PrintedGrid {
    QString title; // above everything, when there is one
    int columns = 1;
    QStringList seats; // row by row, each row from the left
    // A box across the middle, above or below the grid: the podium.
    QString boxAbove;
    QString boxBelow;
};

// One grid a page, as wide as the page. Names are printed in `font`, the
// window's, at a size that fills the seat; a name that would not fit is
// printed smaller, never cut.
void printGrids(QPrinter& printer, const std::vector<PrintedGrid>& grids, const QFont& font);

} // namespace common
