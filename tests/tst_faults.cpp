// Every way a write can fail, for each of the three writes: Quorlen's Save,
// Quorlen's table export and Brasset's room export, each driven through its
// real window. Whatever the fault, the older file stays whole, nothing
// half-written is left beside it, the user is told why, and the window goes
// on: once the fault is gone, the same click writes the file.
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

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {
enum class Write { Save, Export, RoomsExport };
enum class Fault { DiskFull, ReadOnlyFolder, FolderOfThatName, ReadOnlyFile, MissingFolder };

const QByteArray kOlder = "the older file\r\n";

// A plan far larger than the file-size limit that stands for a full disk.
quorlen::SeatPlan bigSeatPlan() {
    quorlen::SeatPlan plan;
    plan.fill(QString(2000, QChar(u'满')));
    return plan;
}

brasset::RoomPlan bigRoomPlan() {
    brasset::RoomPlan plan;
    plan.visible.fill(true);
    plan.captions.fill(QString(100, QChar(u'满')));
    return plan;
}

void becomeOrdinaryUser() {
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return;
    const passwd* nobody = getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    QVERIFY(setgroups(0, nullptr) == 0);
    QVERIFY(setgid(gid) == 0);
    QVERIFY(setuid(uid) == 0);
    QVERIFY(geteuid() != 0);
#endif
}

bool setWritable(const QString& path, bool writable) {
    QFile::Permissions permissions = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    if (QFileInfo(path).isDir())
        permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    if (writable)
        permissions |= QFile::WriteOwner;
    return QFile::setPermissions(path, permissions);
}

// One of the three windows, holding a plan larger than the full disk lets
// through, and the click that writes it to `path`.
class Writer {
public:
    Writer(Write write, const QString& path) : m_write(write), m_path(path) {
        if (write == Write::RoomsExport) {
            m_rooms.emplace(m_desktop);
            m_rooms->show();
            m_rooms->setRoomPlan(bigRoomPlan());
        } else {
            m_seats.emplace(m_desktop);
            m_seats->show();
            m_seats->setSeatPlan(bigSeatPlan());
        }
    }

    void click() {
        if (m_write == Write::Save) {
            ::click(*m_seats, QStringLiteral("Command3"));
            return;
        }
        // The dialog is given the name without ".rtf"; the window adds it.
        m_desktop.fileNames.enqueue(m_path.chopped(4));
        m_desktop.answers.enqueue(true);
        if (m_rooms)
            ::click(*m_rooms, QStringLiteral("Command2"));
        else
            ::click(*m_seats, QStringLiteral("Command4"));
    }

    // The bytes a good write leaves.
    QByteArray bytes() const {
        switch (m_write) {
        case Write::Save:
            return quorlen::planFileBytes(bigSeatPlan(), false);
        case Write::Export:
            return quorlen::tableDocument(bigSeatPlan());
        case Write::RoomsExport:
            return brasset::roomExportBytes(bigRoomPlan());
        }
        return {};
    }

    bool planStillShown() const {
        return m_rooms ? m_rooms->roomPlan() == bigRoomPlan()
                       : m_seats->seatPlan() == bigSeatPlan();
    }

    // What the desktop was asked since the last call: "error", or "inform"
    // or "ask" after a good write, after the save dialog of the exports.
    QStringList told() {
        QStringList kinds = m_desktop.kinds();
        kinds.removeAll(QStringLiteral("save"));
        if (!m_desktop.shown.isEmpty())
            m_lastText = m_desktop.shown.last().text;
        m_desktop.shown.clear();
        return kinds;
    }
    // The text of the last box that told().
    QString lastText() const { return m_lastText; }

private:
    Write m_write;
    QString m_path;
    ScriptedDesktop m_desktop;
    QString m_lastText;
    std::optional<quorlen::Form1> m_seats;
    std::optional<brasset::Form1> m_rooms;
};
} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writeFailsWhole_data();
    void writeFailsWhole();
};

void TestFaults::initTestCase() {
    becomeOrdinaryUser();
}

void TestFaults::writeFailsWhole_data() {
    QTest::addColumn<Write>("write");
    QTest::addColumn<Fault>("fault");
    const QList<QPair<Write, const char*>> writes{
        {Write::Save, "save"}, {Write::Export, "export"}, {Write::RoomsExport, "rooms export"}};
    const QList<QPair<Fault, const char*>> faults{
#ifdef Q_OS_UNIX
        {Fault::DiskFull, "disk full"},
        {Fault::ReadOnlyFolder, "read-only folder"},
#endif
        {Fault::FolderOfThatName, "a folder of that name"},
        {Fault::ReadOnlyFile, "read-only file"},
        {Fault::MissingFolder, "missing folder"},
    };
    for (const auto& [write, writeName] : writes) {
        for (const auto& [fault, faultName] : faults) {
            // Save always writes into the folder the program runs in.
            if (write == Write::Save && fault == Fault::MissingFolder)
                continue;
            QTest::addRow("%s, %s", writeName, faultName) << write << fault;
        }
    }
}

void TestFaults::writeFailsWhole() {
    QFETCH(Write, write);
    QFETCH(Fault, fault);
    QTemporaryDir top;
    QVERIFY(top.isValid());
    const QString folder = top.filePath(fault == Fault::MissingFolder ? "missing" : "plans");
    const QString name = write == Write::Save ? "default.txt" : "plan.rtf";
    const QString path = folder + '/' + name;
    if (fault != Fault::MissingFolder) {
        QVERIFY(QDir().mkdir(folder));
        if (fault == Fault::FolderOfThatName)
            QVERIFY(QDir().mkdir(path));
        else
            QVERIFY(writeBytes(path, kOlder));
    }
    if (fault == Fault::ReadOnlyFolder)
        QVERIFY(setWritable(folder, false));
    if (fault == Fault::ReadOnlyFile)
        QVERIFY(setWritable(path, false));

    // Save writes "default.txt" in the current folder. A folder left
    // read-only by a failed check could not be cleaned away.
    const auto restore = qScopeGuard([folder, oldCurrent = QDir::currentPath()] {
        QDir::setCurrent(oldCurrent);
        setWritable(folder, true);
    });
    QVERIFY(QDir::setCurrent(write == Write::Save ? folder : top.path()));
    Writer writer(write, path);
#ifdef Q_OS_UNIX
    if (fault == Fault::DiskFull)
        withFileSizeLimit(4096, [&] { writer.click(); });
    else
#endif
        writer.click();

    QCOMPARE(writer.told(), QStringList{QStringLiteral("error")});
    QVERIFY2(writer.lastText().contains(path) &&
                 writer.lastText().contains(QStringLiteral("原因：")),
             qPrintable(writer.lastText()));
    if (fault == Fault::FolderOfThatName)
        QVERIFY(QFileInfo(path).isDir());
    else if (fault != Fault::MissingFolder)
        QCOMPARE(fileBytes(path), kOlder);
    // No piece of the new file is left beside the old one.
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, fault == Fault::FolderOfThatName || fault == Fault::MissingFolder
                       ? QStringList()
                       : QStringList{name});

    // The window goes on; once the fault is put right, the same click works.
    QVERIFY(writer.planStillShown());
    if (fault == Fault::ReadOnlyFolder)
        QVERIFY(setWritable(folder, true));
    if (fault == Fault::ReadOnlyFile)
        QVERIFY(setWritable(path, true));
    if (fault == Fault::FolderOfThatName)
        QVERIFY(QDir().rmdir(path));
    if (fault == Fault::MissingFolder)
        QVERIFY(QDir().mkdir(folder));
    writer.click();
    QCOMPARE(writer.told(),
             QStringList{write == Write::Save ? QStringLiteral("inform") : QStringLiteral("ask")});
    QCOMPARE(fileBytes(path), writer.bytes());
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
