// Every way a write can fail, for Save and both exports, through the windows:
// the older file stays whole, nothing half-written is left, the user is told
// why, and once the fault is put right the same click writes the file. In a
// shared folder the file is replaced where it is. Folder
// rights do not stop root, and CI runs as root, so this becomes "nobody".

#include "../rooms/export.h"
#include "../rooms/window.h"
#include "../seating/export.h"
#include "../seating/window.h"
#include "safefile.h"
#include "driver.h"
#include "planfile.h"

#include <QScopeGuard>
#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
        if (geteuid() == 0)
            QVERIFY(setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
                    setuid(nobody->pw_uid) == 0);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the size limit fails as on a full disk
    }

    // A shared folder lets the file in it be changed but no new file be made.
    void writeFails_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("fault");
        for (const char* what : {"Save", "export", "rooms export"})
            for (const char* fault :
                 {"disk full", "empty read-only folder", "a folder of that name", "read-only file",
                  "missing folder", "shared folder", "shared folder, disk full"})
                if (QString(what) != "Save" || QString(fault) != "missing folder")
                    QTest::addRow("%s, %s", what, fault) << what << fault;
    }
    void writeFails() {
        QFETCH(QString, what);
        QFETCH(QString, fault);
        QTemporaryDir top;
        const QString folder = top.filePath("plans"),
                      name = what == "Save" ? "default.txt" : "plan.rtf";
        const QString path = folder + '/' + name;
        const auto chmodded = [&](const QString& at, int mode) {
            return chmod(QFile::encodeName(at).constData(), mode) == 0;
        };
        const auto restore = qScopeGuard([&] { chmodded(folder, 0755); });
        QFile older(path);
        if (fault != "missing folder")
            QVERIFY(QDir().mkdir(folder));
        if (fault == "a folder of that name")
            QVERIFY(QDir().mkdir(path));
        else if (fault != "missing folder" && fault != "empty read-only folder")
            QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") && older.flush());
        if (fault.contains("read-only") || fault.startsWith("shared"))
            QVERIFY(chmodded(fault == "read-only file" ? path : folder, 0555));

        QVERIFY(QDir::setCurrent(what == "Save" ? folder : top.path()));
        // About 10 KB each, past the 4 KB of a full disk but within what the
        // file keeps back until it is committed.
        quorlen::SeatPlan seats;
        seats.fill(QString(150, u'满'));
        brasset::RoomPlan rooms;
        rooms.visible.fill(true);
        rooms.captions.fill(QString(10, u'满'));
        ScriptedDesktop desktop;
        quorlen::Form1 quorlen(desktop);
        brasset::Form1 brasset(desktop);
        quorlen.setSeatPlan(seats);
        brasset.setRoomPlan(rooms);
        QWidget* window = what == "rooms export" ? static_cast<QWidget*>(&brasset) : &quorlen;
        window->show();
        const QString steps =
            what == "Save"
                ? "Command3"
                : ">" + path.chopped(4) + (what == "export" ? " + Command4" : " + Command2");
        const QByteArray written = what == "Save"     ? quorlen::planFileBytes(seats, false)
                                   : what == "export" ? quorlen::tableDocument(seats)
                                                      : brasset::roomExportBytes(rooms);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{fault.endsWith("disk full") ? 4096 : limit.rlim_cur, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
        run(*window, desktop, steps);
        setrlimit(RLIMIT_FSIZE, &limit);
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QFileInfo(path).isFile() ? QStringList(name) : QStringList());
        if (fault != "shared folder") { // where the file is replaced in place
            QCOMPARE(desktop.kinds().remove("save "), "error");
            const QString told = desktop.log.last();
            QVERIFY2(told.contains(path) && told.contains("原因：") && !told.contains("Unknown"),
                     qPrintable(told));
            QCOMPARE(left.isEmpty() ? "older" : bytesOf(path), "older");
            // Put right, the same click writes the file.
            chmodded(folder, 0755), chmodded(path, 0644), QDir().rmdir(path), QDir().mkpath(folder);
            desktop.log.clear();
            run(*window, desktop, steps);
        }
        QCOMPARE(desktop.kinds().remove("save "), what == "Save" ? "inform" : "ask opened");
        QCOMPARE(bytesOf(path), written);
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
