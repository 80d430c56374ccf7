#include "exams/outputs.h"
#include "exams/outputtext.h"

#include "common/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace exams {

namespace {
constexpr double kGridColumnWidth = 16; // characters: a prefixed 考号 or a long name
constexpr double kGridRowHeight = 36;   // points: two lines of 11 points

// libxlsxwriter wants UTF-8; the text lives as long as the statement.
struct Utf8 {
    explicit Utf8(const QString& text) : bytes(text.toUtf8()) {}
    operator const char*() const { return bytes.constData(); }
    QByteArray bytes;
};

// Every call of libxlsxwriter is checked: the first failure is kept, ends
// the workbook, and nothing of it is kept.
struct Status {
    lxw_error error = LXW_NO_ERROR;
    void operator()(lxw_error result) {
        if (error == LXW_NO_ERROR)
            error = result;
    }
    // A sheet or format that could not be made: nothing can be written to it.
    template <typename T> bool made(T* object) {
        if (!object)
            (*this)(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return object != nullptr;
    }
    bool ok() const { return error == LXW_NO_ERROR; }
};

struct Formats {
    lxw_format* title = nullptr;
    lxw_format* room = nullptr;
    lxw_format* seat = nullptr;
    lxw_format* front = nullptr;
    lxw_format* header = nullptr;
    lxw_format* text = nullptr;
};

bool addFormats(lxw_workbook* workbook, Formats& formats, Status& status) {
    for (lxw_format** format : {&formats.title, &formats.room, &formats.seat, &formats.front,
                                &formats.header, &formats.text})
        if (!status.made(*format = workbook_add_format(workbook)))
            return false;
    format_set_bold(formats.title);
    format_set_font_size(formats.title, 14);
    format_set_bold(formats.room);
    format_set_font_size(formats.room, 12);
    format_set_text_wrap(formats.seat);
    format_set_border(formats.seat, LXW_BORDER_THIN);
    format_set_align(formats.seat, LXW_ALIGN_CENTER);
    format_set_align(formats.seat, LXW_ALIGN_VERTICAL_CENTER);
    format_set_bold(formats.front);
    format_set_border(formats.front, LXW_BORDER_THIN);
    format_set_align(formats.front, LXW_ALIGN_CENTER);
    format_set_bg_color(formats.front, 0xDDDDDD);
    format_set_bold(formats.header);
    format_set_border(formats.header, LXW_BORDER_THIN);
    // 学号 and 考号 stay text even when someone types over them: "007".
    format_set_num_format(formats.text, "@");
    return true;
}

void writeLines(lxw_worksheet* sheet, int firstRow, const QStringList& lines, lxw_format* title,
                Status& status) {
    for (int i = 0; i < lines.size(); ++i)
        status(worksheet_write_string(sheet, lxw_row_t(firstRow + i), 0, Utf8(lines[i]),
                                      i == 0 ? title : nullptr));
}

// A row across the columns of the grid: merged where there are two or
// more, as Excel merges no single cell.
void writeAcross(lxw_worksheet* sheet, int row, int columns, const QString& text,
                 lxw_format* format, Status& status) {
    if (columns > 1)
        status(worksheet_merge_range(sheet, lxw_row_t(row), 0, lxw_row_t(row),
                                     lxw_col_t(columns - 1), Utf8(text), format));
    else
        status(worksheet_write_string(sheet, lxw_row_t(row), 0, Utf8(text), format));
}

struct Book {
    const Exam& exam;
    QStringList heading; // title, date, seed line
    std::vector<QString> numbers;
    lxw_workbook* workbook;
    Formats formats;
};

void writeRoom(const Book& book, int room, Status& status) {
    const Exam& exam = book.exam;
    const Room& shape = exam.seating.rooms[std::size_t(room)];
    lxw_worksheet* sheet = workbook_add_worksheet(book.workbook, Utf8(roomTitle(room)));
    if (!status.made(sheet))
        return;
    writeLines(sheet, 0, book.heading, book.formats.title, status);
    constexpr int kTitleRow = 3, kGridTop = 4;
    status(worksheet_write_string(sheet, kTitleRow, 0, Utf8(roomTitle(exam.seating, room)),
                                  book.formats.room));
    const int columns = std::max(shape.columns, 1);
    status(worksheet_set_column(sheet, 0, lxw_col_t(columns - 1), kGridColumnWidth, nullptr));
    // Every seat gets its border, a free one too, so the room reads as drawn.
    for (int row = 0; row < shape.rows; ++row) {
        status(worksheet_set_row(sheet, lxw_row_t(kGridTop + row), kGridRowHeight, nullptr));
        for (int column = 0; column < shape.columns; ++column)
            status(worksheet_write_blank(sheet, lxw_row_t(kGridTop + row), lxw_col_t(column),
                                         book.formats.seat));
    }
    for (const Taken& taken : takenSeats(exam.seating, room, exam.list.candidates.size())) {
        const Place place = seatPlace(shape, exam.settings.fill, taken.seat);
        if (place.row < 0 || place.row >= shape.rows || place.column < 0 ||
            place.column >= shape.columns)
            continue; // a seat the room does not have
        const QString text = book.numbers[std::size_t(taken.candidate)] + QLatin1Char('\n') +
                             exam.list.candidates[std::size_t(taken.candidate)].name;
        status(worksheet_write_string(sheet, lxw_row_t(kGridTop + place.row),
                                      lxw_col_t(place.column), Utf8(text), book.formats.seat));
    }
    writeAcross(sheet, kGridTop + shape.rows, columns, QStringLiteral("讲台"), book.formats.front,
                status);
}

// The office sorts and filters this sheet, so its header is row 1 with
// nothing above it; the title, date and seed go into the workbook's
// properties and below the table after an empty row.
void writeByClass(const Book& book, Status& status) {
    lxw_worksheet* sheet = workbook_add_worksheet(book.workbook, "按班级");
    if (!status.made(sheet))
        return;
    const QStringList headers{QStringLiteral("班级"), QStringLiteral("学号"),
                              QStringLiteral("姓名"), QStringLiteral("考号"),
                              QStringLiteral("考场"), QStringLiteral("座位")};
    for (int column = 0; column < headers.size(); ++column)
        status(worksheet_write_string(sheet, 0, lxw_col_t(column), Utf8(headers[column]),
                                      book.formats.header));
    lxw_format* text = book.formats.text;
    status(worksheet_set_column(sheet, 0, 0, 14, nullptr));
    status(worksheet_set_column(sheet, 1, 1, 12, text));
    status(worksheet_set_column(sheet, 2, 2, 12, nullptr));
    status(worksheet_set_column(sheet, 3, 3, 16, text));
    status(worksheet_set_column(sheet, 4, 5, 10, nullptr));
    const auto& candidates = book.exam.list.candidates;
    const std::vector<SeatOf> seats = seatsOf(book.exam.seating, candidates.size());
    lxw_row_t row = 1;
    for (const int index : byClass(book.exam.list)) {
        const Candidate& candidate = candidates[std::size_t(index)];
        const SeatOf seat = seats[std::size_t(index)];
        status(worksheet_write_string(sheet, row, 0, Utf8(candidate.className), nullptr));
        status(worksheet_write_string(sheet, row, 1, Utf8(candidate.studentNo), text));
        status(worksheet_write_string(sheet, row, 2, Utf8(candidate.name), nullptr));
        status(worksheet_write_string(sheet, row, 3, Utf8(book.numbers[std::size_t(index)]), text));
        if (seat.room >= 0) {
            status(worksheet_write_string(sheet, row, 4, Utf8(roomTitle(seat.room)), nullptr));
            status(worksheet_write_number(sheet, row, 5, seat.seat + 1, nullptr));
        }
        ++row;
    }
    status(worksheet_autofilter(sheet, 0, 0, row - 1, lxw_col_t(headers.size() - 1)));
    worksheet_freeze_panes(sheet, 1, 0);
    writeLines(sheet, int(row) + 1, book.heading, book.formats.title, status);
}

// Builds the whole workbook into the file named `file`; the first failure.
lxw_error buildWorkbook(const Exam& exam, const QDate& date, const QByteArray& file) {
    lxw_workbook* workbook = workbook_new(file.constData());
    if (!workbook)
        return LXW_ERROR_CREATING_XLSX_FILE;
    Book book{exam,
              {exam.settings.title, dateText(date), seedLine(exam)},
              examNumbers(exam),
              workbook,
              {}};
    Status status;
    const Utf8 title(exam.settings.title);
    const Utf8 comments(book.heading.mid(1).join(QStringLiteral("，")));
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(static_cast<const char*>(title));
    properties.comments = const_cast<char*>(static_cast<const char*>(comments));
    status(workbook_set_properties(workbook, &properties));
    if (addFormats(workbook, book.formats, status)) {
        for (int room = 0; status.ok() && room < int(exam.seating.rooms.size()); ++room)
            writeRoom(book, room, status);
        if (status.ok())
            writeByClass(book, status);
    }
    if (!status.ok()) {
        lxw_workbook_free(workbook);
        return status.error;
    }
    // Writes the file and frees the workbook, whatever it returns.
    return workbook_close(workbook);
}
} // namespace

QString writeWorkbook(const Exam& exam, const QDate& date, const QString& path) {
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        return QStringLiteral("文件夹不存在：%1")
            .arg(QDir::toNativeSeparators(target.absolutePath()));
    // libxlsxwriter writes only to a named file: it is made in a private
    // temporary folder under a plain name, and its bytes replace the target
    // the way every file of the programs is replaced.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return QStringLiteral("无法建立临时文件夹：%1").arg(scratch.errorString());
    const QString built = scratch.filePath(QStringLiteral("workbook.xlsx"));
    // libxlsxwriter may open a Windows name as UTF-8 or in the ANSI code
    // page, as it was built: where the temporary folder's name is not plain
    // ASCII (a Chinese user name), both are tried.
    QList<QByteArray> names{QFile::encodeName(built)};
    if (const QByteArray utf8 = built.toUtf8(); utf8 != names.front())
        names.prepend(utf8);
    lxw_error error = LXW_ERROR_CREATING_XLSX_FILE;
    for (int i = 0; i < names.size() && error == LXW_ERROR_CREATING_XLSX_FILE; ++i)
        error = buildWorkbook(exam, date, names[i]);
    if (error != LXW_NO_ERROR)
        return QStringLiteral("工作簿无法生成：%1").arg(QString::fromUtf8(lxw_strerror(error)));
    QFile file(built);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("工作簿无法读回：%1").arg(file.errorString());
    return common::writeFileSafely(path, file.readAll());
}

} // namespace exams
