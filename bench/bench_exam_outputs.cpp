// Times the exam office's outputs for a large school: 3,000 candidates in
// 100 rooms of 6 x 5, written as the workbook and as the whole print pack
// in PDF. Prints the times, the pages and the file sizes, and keeps the
// files in the folder given.
//   bench_exam_outputs [folder]   (default: a temporary one)

#include "exams/outputs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

using namespace exams;

namespace {
Exam largeExam() {
    Exam exam;
    constexpr int kRooms = 100, kPerRoom = 30;
    for (int i = 0; i < kRooms * kPerRoom; ++i)
        exam.list.candidates.push_back(
            {QStringLiteral("考生%1").arg(i + 1, 4, 10, QLatin1Char('0')),
             QStringLiteral("高三(%1)班").arg(i % 60 + 1),
             QString::number(i / 60 + 1),
             {},
             {},
             i + 2});
    exam.settings.prefix = QStringLiteral("2026");
    exam.settings.title = QStringLiteral("2026学年第一学期期末考试 数学 7月1日 8:00–10:00");
    exam.settings.seed = 20261207;
    exam.version = QStringLiteral("1.3.0");
    for (int room = 0; room < kRooms; ++room) {
        exam.seating.rooms.push_back({QStringLiteral("教学楼%1").arg(101 + room), 6, 5, kPerRoom});
        std::vector<int> seats;
        for (int seat = 0; seat < kPerRoom; ++seat)
            seats.push_back(room * kPerRoom + seat);
        exam.seating.seats.push_back(seats);
    }
    return exam;
}

template <typename Write> void time(const char* what, const QString& path, Write write) {
    QElapsedTimer timer;
    timer.start();
    const QString error = write();
    std::printf("%-34s %7.0f ms  %9lld bytes  %s%s\n", what, double(timer.nsecsElapsed()) / 1e6,
                static_cast<long long>(QFileInfo(path).size()), qPrintable(path),
                qPrintable(error.isEmpty() ? QString() : QStringLiteral("  ") + error));
}
} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const Exam exam = largeExam();
    const QDate date(2026, 12, 7);
    time("workbook, 3,000 in 100 rooms", folder + "/exam.xlsx",
         [&] { return writeWorkbook(exam, date, folder + "/exam.xlsx"); });
    const int pages =
        printPackPages(exam, {Part::DoorLists, Part::DeskLabels, Part::SignIn, Part::Overview});
    std::printf("print pack: %d pages\n", pages);
    time("print pack PDF, 3,000 in 100 rooms", folder + "/exam.pdf",
         [&] { return writePrintPackPdf(exam, date, folder + "/exam.pdf"); });
    time("table document", folder + "/exam.rtf", [&] {
        const QByteArray bytes = examTableDocument(exam);
        QFile file(folder + "/exam.rtf");
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? QString()
                   : file.errorString();
    });
}
