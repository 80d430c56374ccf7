#include "exams/outputs.h"
#include "exams/outputtext.h"

#include "common/ansitext.h"
#include "common/rtf.h"

#include <QStringList>

namespace exams {

namespace {
// The rooms' table opens as Brasset's own room export does, so that a word
// processor shows both alike.
const QString kTableOpening = QStringLiteral("<br>") + common::tableTag(QStringLiteral("#000000"));

void appendRoom(QStringList& lines, const Exam& exam, const std::vector<QString>& numbers,
                int room) {
    const Room& shape = exam.seating.rooms[std::size_t(room)];
    // The cells as shown, row by row from the top, filled from the seats.
    std::vector<QString> cells(std::size_t(std::max(shape.rows, 0) * std::max(shape.columns, 0)));
    for (const Taken& taken : takenSeats(exam.seating, room, exam.list.candidates.size())) {
        const Place place = seatPlace(shape, exam.settings.fill, taken.seat);
        if (place.row < 0 || place.row >= shape.rows || place.column < 0 ||
            place.column >= shape.columns)
            continue; // a seat the room does not have
        const QString& name = exam.list.candidates[std::size_t(taken.candidate)].name;
        cells[std::size_t(place.row) * std::size_t(shape.columns) + std::size_t(place.column)] =
            numbers[std::size_t(taken.candidate)].toHtmlEscaped() + QStringLiteral("<br>") +
            name.toHtmlEscaped();
    }
    lines << roomTitle(exam.seating, room).toHtmlEscaped() + kTableOpening;
    for (int row = 0; row < shape.rows; ++row) {
        lines << QStringLiteral("<tr>");
        for (int column = 0; column < shape.columns; ++column)
            lines
                << QStringLiteral("<td align=center>") +
                       cells[std::size_t(row) * std::size_t(shape.columns) + std::size_t(column)] +
                       QStringLiteral("</td>");
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>") << QStringLiteral("<p align=center>讲台</p><br>");
}
} // namespace

QByteArray examTableDocument(const Exam& exam) {
    const std::vector<QString> numbers = examNumbers(exam);
    QStringList lines{common::kGbkDeclaration};
    for (int room = 0; room < int(exam.seating.rooms.size()); ++room)
        appendRoom(lines, exam, numbers, room);
    return common::ansiLines(lines);
}

} // namespace exams
