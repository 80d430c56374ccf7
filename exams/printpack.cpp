#include "exams/outputs.h"
#include "exams/outputtext.h"

#include "common/fonts.h"
#include "common/safefile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace exams {

namespace {
// Every page is laid out in tenths of a millimetre on A4, whatever the
// device's resolution and margins, so that the pages counted beforehand
// are the pages painted.
constexpr int kPageWidth = 2100, kPageHeight = 2970;
constexpr int kLeft = 150, kWidth = kPageWidth - 2 * kLeft;
constexpr int kHeaderTop = 110, kHeaderLine = 250;
constexpr int kTop = 300, kBottom = 2790; // the content between header and footer
constexpr int kFooterTop = 2820;
constexpr double kUnitsPerPoint = 254.0 / 72;

// 桌贴: a page of 2 x 5 labels.
constexpr int kLabelColumns = 2, kLabelRows = 5, kLabelsPerPage = kLabelColumns * kLabelRows;
// 签到表 and 总表: a heading, the header row, then the rows.
constexpr int kHeadingHeight = 130;
constexpr int kSignInRowHeight = 70;
constexpr int kSignInRows = (kBottom - kTop - kHeadingHeight) / kSignInRowHeight - 1;
constexpr int kOverviewRowHeight = 55;
constexpr int kOverviewRows = (kBottom - kTop - kHeadingHeight) / kOverviewRowHeight - 1;

int pagesFor(int rows, int perPage) {
    return std::max(1, (rows + perPage - 1) / perPage);
}

int seatedIn(const Exam& exam, int room) {
    return int(takenSeats(exam.seating, room, exam.list.candidates.size()).size());
}

int partPages(const Exam& exam, Part part) {
    const int rooms = int(exam.seating.rooms.size());
    int pages = 0;
    switch (part) {
    case Part::DoorLists:
        return rooms;
    case Part::DeskLabels:
        for (int room = 0; room < rooms; ++room)
            pages += seatedIn(exam, room);
        return pages == 0 ? 0 : pagesFor(pages, kLabelsPerPage);
    case Part::SignIn:
        for (int room = 0; room < rooms; ++room)
            pages += pagesFor(seatedIn(exam, room), kSignInRows);
        return pages;
    case Part::Overview:
        return pagesFor(int(exam.list.candidates.size()), kOverviewRows);
    }
    return 0;
}

QString partName(Part part) {
    switch (part) {
    case Part::DoorLists:
        return QStringLiteral("门贴");
    case Part::DeskLabels:
        return QStringLiteral("桌贴");
    case Part::SignIn:
        return QStringLiteral("签到表");
    case Part::Overview:
        return QStringLiteral("按班级总表");
    }
    return {};
}

// SimSun is not on every machine: it is asked for first, then an installed
// CJK serif font, then any CJK font. Sizes are in points, made page units.
QFont cjkFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies(common::songtiFamilies());
    font.setPixelSize(std::max(1, int(std::lround(points * kUnitsPerPoint))));
    font.setBold(bold);
    return font;
}

// The fonts are made once a pack: a font looked up per label would cost
// more than the label.
struct Fonts {
    QFont title = cjkFont(14, true);
    QFont footer = cjkFont(9);
    QFont roomNumber = cjkFont(54, true);
    QFont location = cjkFont(24);
    QFont range = cjkFont(15);
    QFont seatNumber = cjkFont(9);
    QFont seatName = cjkFont(13, true);
    QFont front = cjkFont(14, true);
    QFont labelSmall = cjkFont(12);
    QFont labelNumber = cjkFont(22, true);
    QFont labelName = cjkFont(28, true);
    QFont heading = cjkFont(18, true);
    QFont headingNote = cjkFont(12);
    QFont tableHeader = cjkFont(11, true);
    QFont signIn = cjkFont(12);
    QFont overview = cjkFont(10);
};

struct Column {
    QString header;
    int width;
};

class Pack {
public:
    Pack(const Exam& exam, const QDate& date, QPainter& painter, QPagedPaintDevice& device,
         const Progress& progress, int total)
        : m_exam(exam), m_painter(painter), m_device(device), m_progress(progress), m_total(total),
          m_date(dateText(date)), m_seed(seedLine(exam)), m_numbers(examNumbers(exam)),
          m_seats(seatsOf(exam.seating, exam.list.candidates.size())) {
        for (int room = 0; room < int(exam.seating.rooms.size()); ++room)
            m_taken.push_back(takenSeats(exam.seating, room, exam.list.candidates.size()));
    }

    bool paint(Part part) {
        m_part = partName(part);
        switch (part) {
        case Part::DoorLists:
            return doorLists();
        case Part::DeskLabels:
            return deskLabels();
        case Part::SignIn:
            return signIn();
        case Part::Overview:
            return overview();
        }
        return true;
    }

private:
    const Candidate& candidate(int index) const {
        return m_exam.list.candidates[std::size_t(index)];
    }
    const QString& number(int index) const { return m_numbers[std::size_t(index)]; }

    // Starts a page with its header and footer.
    bool beginPage() {
        if (m_done > 0 && !m_device.newPage())
            return false;
        QPainter& p = m_painter;
        p.setPen(QPen(Qt::black, 3));
        p.setFont(m_fonts.title);
        p.drawText(QRect(kLeft, kHeaderTop, kWidth, kHeaderLine - kHeaderTop - 10),
                   Qt::AlignHCenter | Qt::AlignBottom, m_exam.settings.title);
        p.drawLine(kLeft, kHeaderLine, kLeft + kWidth, kHeaderLine);
        p.setFont(m_fonts.footer);
        const QRect footer(kLeft, kFooterTop, kWidth, 60);
        p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                   m_part + QStringLiteral(" · ") + m_date);
        p.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, m_seed);
        p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("第%1页，共%2页").arg(m_done + 1).arg(m_total));
        return true;
    }

    // Ends a page: tells the progress, which may cancel.
    bool endPage() {
        ++m_done;
        return !m_progress || m_progress(m_done, m_total);
    }

    bool doorLists() {
        for (int room = 0; room < int(m_taken.size()); ++room) {
            if (!beginPage())
                return false;
            doorList(room);
            if (!endPage())
                return false;
        }
        return true;
    }

    void doorList(int room) {
        QPainter& p = m_painter;
        const Room& shape = m_exam.seating.rooms[std::size_t(room)];
        const std::vector<Taken>& taken = m_taken[std::size_t(room)];
        p.setFont(m_fonts.roomNumber);
        p.drawText(QRect(kLeft, kTop, kWidth, 260), Qt::AlignCenter, roomTitle(room));
        p.setFont(m_fonts.location);
        p.drawText(QRect(kLeft, kTop + 260, kWidth, 110), Qt::AlignCenter, shape.location);
        p.setFont(m_fonts.range);
        const QString range = taken.empty() ? QStringLiteral("本考场无考生")
                                            : QStringLiteral("考号 %1 – %2　共%3人")
                                                  .arg(number(taken.front().candidate),
                                                       number(taken.back().candidate))
                                                  .arg(taken.size());
        p.drawText(QRect(kLeft, kTop + 370, kWidth, 90), Qt::AlignCenter, range);
        if (shape.rows <= 0 || shape.columns <= 0)
            return;
        // The grid as the room is seen from its door, the front below it.
        constexpr int kGridTop = kTop + 500, kFrontHeight = 110;
        const int cellWidth = std::min(kWidth / shape.columns, 360);
        const int cellHeight =
            std::min((kBottom - kGridTop - kFrontHeight - 30) / shape.rows, cellWidth);
        const int left = kLeft + (kWidth - cellWidth * shape.columns) / 2;
        p.setPen(QPen(Qt::black, 3));
        for (int row = 0; row < shape.rows; ++row)
            for (int column = 0; column < shape.columns; ++column)
                p.drawRect(left + column * cellWidth, kGridTop + row * cellHeight, cellWidth,
                           cellHeight);
        // Long 考号 in narrow cells: the number's font shrinks to fit, once a room.
        QFont numberFont = m_fonts.seatNumber;
        const int longest = taken.empty() ? 1 : int(number(taken.back().candidate).size());
        numberFont.setPixelSize(std::clamp(int(cellWidth / (0.6 * std::max(longest, 1))), 12,
                                           m_fonts.seatNumber.pixelSize()));
        for (const Taken& seat : taken) {
            const Place place = seatPlace(shape, m_exam.settings.fill, seat.seat);
            if (place.row < 0 || place.row >= shape.rows || place.column < 0 ||
                place.column >= shape.columns)
                continue; // a seat the room does not have
            const QRect cell(left + place.column * cellWidth, kGridTop + place.row * cellHeight,
                             cellWidth, cellHeight);
            p.setFont(numberFont);
            p.drawText(cell.adjusted(4, 4, -4, -cellHeight / 2), Qt::AlignHCenter | Qt::AlignBottom,
                       number(seat.candidate));
            p.setFont(m_fonts.seatName);
            p.drawText(cell.adjusted(4, cellHeight / 2, -4, -4), Qt::AlignHCenter | Qt::AlignTop,
                       candidate(seat.candidate).name);
        }
        const QRect front(kLeft + kWidth / 2 - 300, kGridTop + shape.rows * cellHeight + 30, 600,
                          kFrontHeight);
        p.fillRect(front, QColor(0xDD, 0xDD, 0xDD));
        p.drawRect(front);
        p.setFont(m_fonts.front);
        p.drawText(front, Qt::AlignCenter, QStringLiteral("讲台"));
    }

    bool deskLabels() {
        std::vector<Taken> all; // in room order, then seat order
        for (const auto& room : m_taken)
            all.insert(all.end(), room.begin(), room.end());
        constexpr int labelWidth = kWidth / kLabelColumns;
        constexpr int labelHeight = (kBottom - kTop) / kLabelRows;
        for (std::size_t first = 0; first < all.size(); first += kLabelsPerPage) {
            if (!beginPage())
                return false;
            QPainter& p = m_painter;
            // Cut lines around and between the labels.
            p.setPen(QPen(Qt::gray, 3, Qt::DashLine));
            for (int row = 0; row <= kLabelRows; ++row)
                p.drawLine(kLeft, kTop + row * labelHeight, kLeft + kWidth,
                           kTop + row * labelHeight);
            for (int column = 0; column <= kLabelColumns; ++column)
                p.drawLine(kLeft + column * labelWidth, kTop, kLeft + column * labelWidth,
                           kTop + kLabelRows * labelHeight);
            p.setPen(QPen(Qt::black, 3));
            const std::size_t last = std::min(all.size(), first + kLabelsPerPage);
            for (std::size_t i = first; i < last; ++i) {
                const int slot = int(i - first);
                deskLabel(QRect(kLeft + slot % kLabelColumns * labelWidth,
                                kTop + slot / kLabelColumns * labelHeight, labelWidth, labelHeight)
                              .adjusted(50, 40, -50, -40),
                          all[i].candidate);
            }
            if (!endPage())
                return false;
        }
        return true;
    }

    void deskLabel(const QRect& box, int index) {
        QPainter& p = m_painter;
        const SeatOf seat = m_seats[std::size_t(index)];
        const int x = box.left(), width = box.width();
        p.setFont(m_fonts.labelSmall);
        p.drawText(QRect(x, box.top(), width, 60), Qt::AlignLeft | Qt::AlignVCenter,
                   roomTitle(seat.room));
        p.drawText(QRect(x, box.top(), width, 60), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("座位 %1").arg(seat.seat + 1));
        p.setFont(m_fonts.labelNumber);
        p.drawText(QRect(x, box.top() + 70, width, 110), Qt::AlignCenter,
                   QStringLiteral("考号 ") + number(index));
        p.setFont(m_fonts.labelName);
        p.drawText(QRect(x, box.top() + 180, width, 140), Qt::AlignCenter, candidate(index).name);
        p.setFont(m_fonts.labelSmall);
        p.drawText(QRect(x, box.bottom() - 60, width, 60), Qt::AlignCenter,
                   QStringLiteral("班级 ") + candidate(index).className);
    }

    // A heading over a table: its name left, a note right.
    void heading(const QString& name, const QString& note) {
        QPainter& p = m_painter;
        const QRect box(kLeft, kTop, kWidth, kHeadingHeight - 20);
        p.setFont(m_fonts.heading);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, name);
        p.setFont(m_fonts.headingNote);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, note);
    }

    // The header row and the lines of a table of `rows` rows; the rows'
    // text is drawn by the caller. Lines, not a rectangle a cell, keep the
    // pages small.
    void table(const std::vector<Column>& columns, int rows, int rowHeight) {
        QPainter& p = m_painter;
        constexpr int top = kTop + kHeadingHeight;
        const int bottom = top + (rows + 1) * rowHeight;
        p.fillRect(QRect(kLeft, top, kWidth, rowHeight), QColor(0xE8, 0xE8, 0xE8));
        p.setPen(QPen(Qt::black, 3));
        for (int row = 0; row <= rows + 1; ++row)
            p.drawLine(kLeft, top + row * rowHeight, kLeft + kWidth, top + row * rowHeight);
        p.setFont(m_fonts.tableHeader);
        int x = kLeft;
        for (const Column& column : columns) {
            p.drawLine(x, top, x, bottom);
            p.drawText(QRect(x, top, column.width, rowHeight), Qt::AlignCenter, column.header);
            x += column.width;
        }
        p.drawLine(x, top, x, bottom);
    }

    void row(const std::vector<Column>& columns, int row, int rowHeight, const QStringList& cells) {
        int x = kLeft;
        const int y = kTop + kHeadingHeight + (row + 1) * rowHeight;
        for (int i = 0; i < cells.size(); ++i) {
            m_painter.drawText(QRect(x + 12, y, columns[std::size_t(i)].width - 24, rowHeight),
                               Qt::AlignLeft | Qt::AlignVCenter, cells[i]);
            x += columns[std::size_t(i)].width;
        }
    }

    bool signIn() {
        const std::vector<Column> columns{{QStringLiteral("座位"), 160},
                                          {QStringLiteral("考号"), 380},
                                          {QStringLiteral("姓名"), 320},
                                          {QStringLiteral("班级"), 400},
                                          {QStringLiteral("签名"), kWidth - 1260}};
        for (int room = 0; room < int(m_taken.size()); ++room) {
            const std::vector<Taken>& taken = m_taken[std::size_t(room)];
            const int pages = pagesFor(int(taken.size()), kSignInRows);
            for (int page = 0; page < pages; ++page) {
                if (!beginPage())
                    return false;
                const int first = page * kSignInRows;
                const int rows = std::min(int(taken.size()) - first, kSignInRows);
                heading(
                    roomTitle(m_exam.seating, room) + QStringLiteral(" 签到表"),
                    QStringLiteral("共%1人　第%2/%3页").arg(taken.size()).arg(page + 1).arg(pages));
                table(columns, std::max(rows, 0), kSignInRowHeight);
                m_painter.setFont(m_fonts.signIn);
                for (int i = 0; i < rows; ++i) {
                    const Taken& seat = taken[std::size_t(first) + std::size_t(i)];
                    const Candidate& who = candidate(seat.candidate);
                    row(columns, i, kSignInRowHeight,
                        {QString::number(seat.seat + 1), number(seat.candidate), who.name,
                         who.className});
                }
                if (!endPage())
                    return false;
            }
        }
        return true;
    }

    bool overview() {
        const std::vector<Column> columns{
            {QStringLiteral("班级"), 340}, {QStringLiteral("学号"), 260},
            {QStringLiteral("姓名"), 300}, {QStringLiteral("考号"), 380},
            {QStringLiteral("考场"), 340}, {QStringLiteral("座位"), kWidth - 1620}};
        const std::vector<int> order = byClass(m_exam.list);
        const int pages = pagesFor(int(order.size()), kOverviewRows);
        for (int page = 0; page < pages; ++page) {
            if (!beginPage())
                return false;
            const int first = page * kOverviewRows;
            const int rows = std::min(int(order.size()) - first, kOverviewRows);
            heading(QStringLiteral("按班级总表"),
                    QStringLiteral("共%1人　第%2/%3页").arg(order.size()).arg(page + 1).arg(pages));
            table(columns, std::max(rows, 0), kOverviewRowHeight);
            m_painter.setFont(m_fonts.overview);
            for (int i = 0; i < rows; ++i) {
                const int index = order[std::size_t(first) + std::size_t(i)];
                const Candidate& who = candidate(index);
                const SeatOf seat = m_seats[std::size_t(index)];
                // A class is named where it starts and at the top of a page,
                // under a heavier line where it starts.
                const bool starts =
                    first + i == 0 ||
                    candidate(order[std::size_t(first + i - 1)]).className != who.className;
                if (starts && i > 0) {
                    const int y = kTop + kHeadingHeight + (i + 1) * kOverviewRowHeight;
                    m_painter.setPen(QPen(Qt::black, 8));
                    m_painter.drawLine(kLeft, y, kLeft + kWidth, y);
                    m_painter.setPen(QPen(Qt::black, 3));
                }
                row(columns, i, kOverviewRowHeight,
                    {starts || i == 0 ? who.className : QString(), who.studentNo, who.name,
                     number(index), seat.room >= 0 ? roomTitle(seat.room) : QString(),
                     seat.room >= 0 ? QString::number(seat.seat + 1) : QString()});
            }
            if (!endPage())
                return false;
        }
        return true;
    }

    const Exam& m_exam;
    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    const Progress& m_progress;
    const int m_total;
    const QString m_date;
    const QString m_seed;
    const std::vector<QString> m_numbers;
    const std::vector<SeatOf> m_seats;
    std::vector<std::vector<Taken>> m_taken;
    const Fonts m_fonts;
    QString m_part;
    int m_done = 0;
};

const std::vector<Part> kWholePack{Part::DoorLists, Part::DeskLabels, Part::SignIn, Part::Overview};
} // namespace

int printPackPages(const Exam& exam, const std::vector<Part>& parts) {
    int pages = 0;
    for (const Part part : parts)
        pages += partPages(exam, part);
    return pages;
}

bool paintPrintPack(const Exam& exam, const QDate& date, const std::vector<Part>& parts,
                    QPagedPaintDevice& device, const Progress& progress) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The whole A4 sheet in page units, wherever the device's margins put
    // its first pixel.
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QRect sheet = layout.fullRectPixels(dpi);
    painter.setViewport(sheet.translated(-layout.paintRectPixels(dpi).topLeft()));
    painter.setWindow(0, 0, kPageWidth, kPageHeight);
    Pack pack(exam, date, painter, device, progress, printPackPages(exam, parts));
    for (const Part part : parts)
        if (!pack.paint(part))
            return false;
    return painter.end();
}

QString writePrintPackPdf(const Exam& exam, const QDate& date, const QString& path,
                          const Progress& progress) {
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        return QStringLiteral("文件夹不存在：%1")
            .arg(QDir::toNativeSeparators(target.absolutePath()));
    // Painted into memory, then written the way every file of the programs
    // is: a cancel or a failure leaves the old file as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    bool cancelled = false;
    const Progress watched = [&](int done, int total) {
        cancelled = progress && !progress(done, total);
        return !cancelled;
    };
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(300);
        writer.setTitle(exam.settings.title);
        writer.setCreator(QStringLiteral("Brasset ") + exam.version);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!paintPrintPack(exam, date, kWholePack, writer, watched))
            return cancelled ? QStringLiteral("已取消") : QStringLiteral("PDF 无法生成");
    }
    return common::writeFileSafely(path, pdf.data());
}

} // namespace exams
