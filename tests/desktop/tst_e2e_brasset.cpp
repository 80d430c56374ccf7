// The real brasset binary on a real X server, used as exam staff use it: the
// names typed into the list, the persons per room typed over, the buttons
// clicked where they are laid out, the save dialog and the question answered
// from the keyboard, and the exported document read back byte for byte.

#include "ansitext.h"
#include "layouts.h"
#include "roomnames.h"
#include "testfiles.h"
#include "xdesktop.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace xdesktop;
using namespace brasset_layout;

namespace {
// The worked example: 40 names, 32 a room, along the rows. Each room as it is
// seen after "编排", rows top first: "31" stands for N31, "." for an empty seat.
const QList<QStringList> kArranged = {
    {"31 32 . . . .", "30 29 28 27 26 25", "19 20 21 22 23 24", "18 17 16 15 14 13",
     "7 8 9 10 11 12", "6 5 4 3 2 1"},
    {". . . . . .", ". . . . . .", ". . . . . .", ". . . . . .", "39 40 . . . .",
     "38 37 36 35 34 33"},
};

// The export: a titled table per room, cells as the rooms are seen, or
// after a half turn, which puts the last seat first.
QByteArray exportFile(const QList<QStringList>& rooms, bool turned = false) {
    QStringList lines;
    for (qsizetype room = 0; room < rooms.size(); ++room) {
        lines << QStringLiteral("第%1考场<br><table  align=center border=1 cellpadding=10 "
                                "cellspacing=0 width=90% bordercolor=#000000 "
                                "style='border-collapse: collapse'>")
                     .arg(room + 1);
        QStringList seats = rooms[room].join(QLatin1Char(' ')).split(QLatin1Char(' '));
        if (turned)
            std::reverse(seats.begin(), seats.end());
        for (qsizetype i = 0; i < seats.size(); ++i) {
            if (i % 6 == 0)
                lines << QStringLiteral("<tr>");
            lines << QStringLiteral("<td>%1</td>")
                         .arg(seats[i] == QLatin1String(".") ? QString()
                                                             : QLatin1Char('N') + seats[i]);
            if (i % 6 == 5)
                lines << QStringLiteral("</tr>");
        }
        lines << QStringLiteral("</table><br><br>");
    }
    return common::ansiLines(lines);
}
} // namespace

class TestEndToEndBrasset : public QObject {
    Q_OBJECT
private slots:
    void arrangeExportRotateExportExit_data() { addScaleRows(); }

    void arrangeExportRotateExportExit() {
        QFETCH(double, scale);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Program brasset(screen(), QStringLiteral(BRASSET_BINARY), folder.path(),
                        {QStringLiteral("QT_SCALE_FACTOR=%1").arg(scale)});
        QVERIFY(brasset.start());
        const quint64 window = brasset.waitForWindow(QStringLiteral("Form1"));
        QVERIFY2(window, qPrintable(brasset.errors()));

        brasset.click(window, kNames);
        QVERIFY(brasset.typeLines(window, numberedNames(40).split(QStringLiteral("\r\n"))));
        brasset.click(window, kPersons);
        QVERIFY(brasset.keys(window, {QStringLiteral("ctrl+a")}));
        QVERIFY(brasset.typeLines(window, {QStringLiteral("32")}));
        brasset.click(window, kArrange);

        // Export to a typed name; then turn the rooms and export again to the
        // name the dialog offers, the one chosen last.
        const QString path = folder.filePath(QStringLiteral("rooms.rtf"));
        QVERIFY(exportAnsweringNo(brasset, window, kExport, {QStringLiteral("rooms")}));
        QCOMPARE(fileBytes(path), exportFile(kArranged));
        brasset.click(window, kRotate);
        QVERIFY(exportAnsweringNo(brasset, window, kExport));
        QCOMPARE(fileBytes(path), exportFile(kArranged, true));

        brasset.click(window, kExit);
        int exitCode = -1;
        QVERIFY(brasset.waitForExit(&exitCode));
        QCOMPARE(exitCode, 0);
    }
};

int main(int argc, char** argv) {
    TestEndToEndBrasset tests;
    return runTestsOnVirtualScreen(argc, argv, tests);
}

#include "tst_e2e_brasset.moc"
