#include "common/printing.h"

#include <QPainter>
#include <QPrinter>

namespace common {

namespace {
// A seat is half as high as it is wide; a name's letters, at most half as
// high as the seat.
constexpr double kSeatShape = 0.5;
constexpr double kLetterShare = 0.5;
constexpr int kFlags = Qt::AlignCenter | Qt::TextWrapAnywhere;

// The font at the size that fills `box` with `text`, or smaller until the
// whole text fits on one line; a name too long even for a sixth of that size
// is wrapped, and made smaller still until all of it fits.
QFont fitted(QFont font, const QRectF& box, const QString& text, QPaintDevice* device) {
    const int full = qMax(1, int(box.height() * kLetterShare));
    font.setPixelSize(full);
    const QRectF room = box.adjusted(box.width() / 20, 0, -box.width() / 20, 0);
    const auto fits = [&](int flags) {
        const QRectF needed = QFontMetricsF(font, device).boundingRect(room, flags, text);
        return needed.height() <= room.height() && needed.width() <= room.width();
    };
    while (font.pixelSize() > full / 6 && !fits(Qt::AlignCenter | Qt::TextSingleLine))
        font.setPixelSize(font.pixelSize() * 9 / 10);
    while (font.pixelSize() > 1 && !fits(kFlags))
        font.setPixelSize(font.pixelSize() * 9 / 10);
    return font;
}

void printBox(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              bool framed = true) {
    if (framed)
        painter.drawRect(box);
    painter.setFont(fitted(font, box, text, painter.device()));
    painter.drawText(box.adjusted(box.width() / 20, 0, -box.width() / 20, 0), kFlags, text);
}

void printGrid(QPainter& painter, const QRectF& page, const PrintedGrid& grid, const QFont& font) {
    const double seatWidth = page.width() / grid.columns;
    const double seatHeight = seatWidth * kSeatShape;
    double top = page.top();
    if (!grid.title.isEmpty()) {
        QFont title = font;
        title.setBold(true);
        printBox(painter, {page.left(), top, page.width(), seatHeight}, grid.title, title, false);
        top += seatHeight * 1.5;
    }
    // The podium box stands over the middle two seats' width.
    const auto printPodium = [&](const QString& text) {
        if (text.isEmpty())
            return;
        printBox(painter, {page.center().x() - seatWidth, top, 2 * seatWidth, seatHeight}, text,
                 font);
        top += seatHeight * 1.5;
    };
    printPodium(grid.boxAbove);
    for (int seat = 0; seat < grid.seats.size(); ++seat) {
        const int row = seat / grid.columns;
        const int column = seat % grid.columns;
        const QRectF box(page.left() + column * seatWidth, top + row * seatHeight, seatWidth,
                         seatHeight);
        printBox(painter, box, grid.seats[seat], font);
    }
    const auto rows = int((grid.seats.size() + grid.columns - 1) / grid.columns);
    top += seatHeight * rows + seatHeight / 2;
    printPodium(grid.boxBelow);
}
} // namespace

void printGrids(QPrinter& printer, const std::vector<PrintedGrid>& grids, const QFont& font) {
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    for (size_t i = 0; i < grids.size(); ++i) {
        if (i > 0)
            printer.newPage();
        printGrid(painter, page.translated(-page.topLeft()), grids[i], font);
    }
}

} // namespace common
