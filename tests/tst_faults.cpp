// Every way a write can fail, for each of the three writes: Quorlen's Save,
// Quorlen's table export and Brasset's room export, each driven through its
// real window. Whatever the fault, the older file stays whole, nothing
// half-written is left beside it, the user is told why, and the window goes
// on: once the fault is put right, the same click writes the file.
//
// Folder permissions do not stop the administrator, and CI runs as root, so
// this program first becomes the unprivileged user "nobody" when started as
// root: a read-only folder is then read-only, as on a teacher's own account.

// Both programs call their window Form1 and their export "export.h".
#include "../rooms/export.h"
#include "../rooms/window.h"
#include "../seating/export.h"
#include "../seating/window.h"
#include "planfile.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "windowdriver.h"

#include <QScopeGuard>
#include <QtTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
enum Fault { DiskFull, ReadOnlyFolder, FolderOfThatName, ReadOnlyFile, MissingFolder };
const char* const kFaults[] = {"disk full", "read-only folder", "a folder of that name",
                               "read-only file", "missing folder"};
enum Write { Save, Export, RoomsExport };
const char* const kWrites[] = {"save", "export", "rooms export"};

const QByteArray kOlder = "the older file\r\n";
// Plans far larger than the file-size limit that stands for a full disk.
const QString kBig(2000, QChar(u'满'));

quorlen::SeatPlan bigSeatPlan() {
    quorlen::SeatPlan plan;
    plan.fill(kBig);
    return plan;
}

brasset::RoomPlan bigRoomPlan() {
    brasset::RoomPlan plan;
    plan.visible.fill(true);
    plan.captions.fill(kBig.left(100));
    return plan;
}

bool setWritable(const QString& path, bool writable) {
    return chmod(QFile::encodeName(path).constData(), writable ? 0755 : 0555) == 0;
}

// Puts the fault in place or, with `on` false, puts it right.
bool setFault(Fault fault, const QString& folder, const QString& path, bool on) {
    switch (fault) {
    case ReadOnlyFolder:
        return setWritable(folder, !on);
    case ReadOnlyFile:
        return setWritable(path, !on);
    case FolderOfThatName:
        return on ? QDir().mkdir(path) : QDir().rmdir(path);
    case MissingFolder:
        return on || QDir().mkdir(folder);
    case DiskFull:
        break;
    }
    return true;
}
} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writeFailsWhole_data();
    void writeFailsWhole();
};

void TestFaults::initTestCase() {
    if (geteuid() != 0)
        return;
    const passwd* nobody = getpwnam("nobody");
    QVERIFY(setgroups(0, nullptr) == 0);
    QVERIFY(setgid(nobody ? nobody->pw_gid : 65534) == 0);
    QVERIFY(setuid(nobody ? nobody->pw_uid : 65534) == 0);
    QVERIFY(geteuid() != 0);
}

void TestFaults::writeFailsWhole_data() {
    QTest::addColumn<int>("write");
    QTest::addColumn<int>("fault");
    for (int write : {Save, Export, RoomsExport})
        for (int fault : {DiskFull, ReadOnlyFolder, FolderOfThatName, ReadOnlyFile, MissingFolder})
            // Save always writes into the folder the program runs in.
            if (write != Save || fault != MissingFolder)
                QTest::addRow("%s, %s", kWrites[write], kFaults[fault]) << write << fault;
}

void TestFaults::writeFailsWhole() {
    QFETCH(int, write);
    QFETCH(int, fault);
    QTemporaryDir top;
    QVERIFY(top.isValid());
    const QString folder = top.filePath(fault == MissingFolder ? "missing" : "plans");
    const QString name = write == Save ? "default.txt" : "plan.rtf";
    const QString path = folder + '/' + name;
    if (fault != MissingFolder) {
        QVERIFY(QDir().mkdir(folder));
        if (fault != FolderOfThatName)
            QVERIFY(writeBytes(path, kOlder));
    }
    QVERIFY(setFault(Fault(fault), folder, path, true));
    // Save writes "default.txt" in the current folder. A folder left
    // read-only by a failed check could not be cleaned away.
    const auto restore = qScopeGuard([folder, oldCurrent = QDir::currentPath()] {
        QDir::setCurrent(oldCurrent);
        setWritable(folder, true);
    });
    QVERIFY(QDir::setCurrent(write == Save ? folder : top.path()));

    ScriptedDesktop desktop;
    quorlen::Form1 seats(desktop);
    brasset::Form1 rooms(desktop);
    seats.setSeatPlan(bigSeatPlan());
    rooms.setRoomPlan(bigRoomPlan());
    QWidget* window = write == RoomsExport ? static_cast<QWidget*>(&rooms) : &seats;
    window->show();
    // What the desktop is asked in one click, the save dialog aside.
    const auto clickAndTell = [&] {
        desktop.shown.clear();
        // The dialog is given the name without ".rtf"; the window adds it.
        desktop.fileNames.enqueue(path.chopped(4));
        desktop.answers.enqueue(true);
        click(*window, write == Save ? "Command3" : write == Export ? "Command4" : "Command2");
        desktop.shown.removeIf([](const ShownBox& box) { return box.kind == "save"; });
        return desktop.kinds();
    };

    QStringList told;
    if (fault == DiskFull)
        withFileSizeLimit(4096, [&] { told = clickAndTell(); });
    else
        told = clickAndTell();
    QCOMPARE(told, QStringList{"error"});
    const QString text = desktop.shown.value(0).text;
    QVERIFY2(text.contains(path) && text.contains(QStringLiteral("原因：")), qPrintable(text));
    if (fault == FolderOfThatName)
        QVERIFY(QFileInfo(path).isDir());
    else if (fault != MissingFolder)
        QCOMPARE(fileBytes(path), kOlder);
    // No piece of the new file is left beside the old one.
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QFileInfo(path).isFile() ? QStringList{name} : QStringList());

    // The window goes on; once the fault is put right, the same click works.
    QCOMPARE(seats.seatPlan(), bigSeatPlan());
    QCOMPARE(rooms.roomPlan(), bigRoomPlan());
    QVERIFY(setFault(Fault(fault), folder, path, false));
    QCOMPARE(clickAndTell(), QStringList{write == Save ? "inform" : "ask"});
    QCOMPARE(fileBytes(path), write == Save     ? quorlen::planFileBytes(bigSeatPlan(), false)
                              : write == Export ? quorlen::tableDocument(bigSeatPlan())
                                                : brasset::roomExportBytes(bigRoomPlan()));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
