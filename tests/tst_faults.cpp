// Every way a write can fail, for Save and both exports, through the windows:
// the older file stays whole, nothing half-written is left, the user is told
// why, and once the fault is put right the same click writes the file. In a
// shared folder the file is replaced where it is. Folder rights do not stop
// root, and CI runs as root, so this becomes "nobody".

#include "brasset/brassetwindow.h"
#include "common/safefile.h"
#include "quorlen/quorlenwindow.h"
#include "rooms/roomexport.h"
#include "seating/planexport.h"
#include "seating/planfile.h"
#include "tests/driver.h"

#include <QScopeGuard>
#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>

namespace {
// What the folder "plans" holds, what of it is made read-only, whether the
// disk is full, and whether the write then fails. A read-only folder that
// holds the file is a shared folder: the file may be changed, no file made.
enum Holds { NoFolder, EmptyFolder, OlderFile, FolderOfThatName };
enum ReadOnly { None, Folder, File };
const struct Fault {
    const char* name;
    Holds holds;
    ReadOnly readOnly;
    bool diskFull, fails;
} kFaults[] = {
    {"disk full", OlderFile, None, true, true},
    {"empty read-only folder", EmptyFolder, Folder, false, true},
    {"a folder of that name", FolderOfThatName, None, false, true},
    {"read-only file", OlderFile, File, false, true},
    {"missing folder", NoFolder, None, false, true},
    {"shared folder", OlderFile, Folder, false, false},
    {"shared folder, disk full", OlderFile, Folder, true, true},
};
const auto kReadOnly = QFile::ReadOwner | QFile::ExeOwner,
           kWritable = kReadOnly | QFile::WriteOwner;
// Each write: in Brasset or Quorlen, the file, the folder the window runs in
// (Save writes into it, so it is never missing), the steps, the boxes shown
// once the file is written, and what it then holds.
using Plans = std::pair<quorlen::SeatPlan, brasset::RoomPlan>;
const struct Write {
    const char* name;
    bool inBrasset;
    const char *file, *runsIn, *steps, *written;
    QByteArray (*bytes)(const Plans&);
} kWrites[] = {
    {"Save", false, "plans/default.txt", "plans", "保存", "inform",
     [](const Plans& p) { return quorlen::planFileBytes(p.first, false); }},
    {"export", false, "plans/plan.rtf", ".", "file:plans/plan yes 另存为", "save ask opened",
     [](const Plans& p) { return quorlen::tableDocument(p.first); }},
    {"rooms export", true, "plans/plan.rtf", ".", "file:plans/plan yes 导出", "save ask opened",
     [](const Plans& p) { return brasset::roomExportBytes(p.second); }},
};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // A file marked read-only is kept, even from the administrator.
        QTemporaryDir dir;
        QFile marked(dir.filePath("plan.txt"));
        QVERIFY(marked.open(QIODevice::WriteOnly) && marked.write("older") && marked.flush());
        QVERIFY(marked.setPermissions(QFile::ReadOwner));
        QVERIFY(!common::writeFileSafely(marked.fileName(), "new").isEmpty());
        QCOMPARE(bytesOf(marked.fileName()), "older");
        const passwd* nobody = getpwnam("nobody");
        if (geteuid() == 0) {
            QVERIFY2(nobody, "no user \"nobody\" to drop the administrator's rights to");
            QVERIFY(setgroups(0, nullptr) == 0);
            QVERIFY(setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0);
        }
        std::signal(SIGXFSZ, SIG_IGN); // a write past the size limit fails as on a full disk
    }

    void writeFails_data() {
        QTest::addColumn<const Write*>("write");
        QTest::addColumn<const Fault*>("fault");
        for (const Write& write : kWrites)
            for (const Fault& fault : kFaults)
                if (fault.holds != NoFolder || qstrcmp(write.runsIn, "plans") != 0)
                    QTest::addRow("%s, %s", write.name, fault.name) << &write << &fault;
    }
    void writeFails() {
        QFETCH(const Write*, write);
        QFETCH(const Fault*, fault);
        QTemporaryDir top;
        const QString folder = top.filePath("plans"), path = top.filePath(write->file);
        const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, kWritable); });
        QVERIFY(fault->holds == NoFolder || QDir().mkdir(folder));
        QFile older(path);
        if (fault->holds == OlderFile)
            QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") && older.flush());
        if (fault->holds == FolderOfThatName)
            QVERIFY(QDir().mkdir(path));
        if (fault->readOnly != None)
            QVERIFY(QFile::setPermissions(fault->readOnly == File ? path : folder, kReadOnly));
        QVERIFY(QDir::setCurrent(top.filePath(write->runsIn)));

        // About 10 KB each, past the 4 KB of a full disk but within what the
        // file keeps back until it is committed.
        Plans plans;
        plans.first.fill(QString(150, u'满'));
        plans.second.visible.fill(true);
        plans.second.captions.fill(QString(10, u'满'));
        Driver driver;
        quorlen::QuorlenWindow quorlen(driver.desktop);
        brasset::BrassetWindow brasset(driver.desktop);
        quorlen.setSeatPlan(plans.first);
        brasset.setRoomPlan(plans.second);
        driver.window = write->inBrasset ? static_cast<QWidget*>(&brasset) : &quorlen;
        driver.window->show();
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{fault->diskFull ? 4096 : limit.rlim_cur, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
        driver.run(write->steps);
        setrlimit(RLIMIT_FSIZE, &limit);

        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QFileInfo(path).isFile() ? QStringList(QFileInfo(path).fileName())
                                                : QStringList());
        if (fault->fails) {
            QCOMPARE(driver.desktop.kinds().remove("save "), "error");
            const QString told = driver.desktop.log.last();
            QVERIFY2(told.contains(path) && told.contains("原因：") && !told.contains("Unknown"),
                     qPrintable(told));
            QCOMPARE(left.isEmpty() ? "older" : bytesOf(path), "older");
            // Put right, the same click writes the file.
            QFile::setPermissions(folder, kWritable);
            QFile::setPermissions(path, kWritable);
            QDir().rmdir(path);
            QDir().mkpath(folder);
            driver.desktop.log.clear();
            driver.run(write->steps);
        }
        QCOMPARE(driver.desktop.kinds(), write->written);
        QCOMPARE(bytesOf(path), write->bytes(plans));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
