// "cmake --install" into a fresh prefix, read the way a Linux desktop reads
// it: the menu entry names the program, speaks Chinese and English, points
// at a program and an icon that were installed, and the installed program
// starts and shows its window.

#include "xdesktop.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace xdesktop;

namespace {
// A key's value in a menu entry; desktop-file-validate has checked that the
// file has the one group.
QString entryValue(const QString& entry, const QString& key) {
    const QRegularExpression line(QLatin1Char('^') + QRegularExpression::escape(key) + "=(.*)$",
                                  QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

const QRegularExpression kChinese(QStringLiteral("\\p{Han}"));

// The icon is an SVG document that parses and is square.
QString svgProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("missing");
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    const QStringList box = xml.attributes().value(QLatin1String("viewBox")).toString().split(' ');
    if (xml.name() != QLatin1String("svg") || box.size() != 4 || box[2] != box[3])
        return QStringLiteral("no SVG document with a square viewBox");
    while (!xml.atEnd())
        xml.readNext();
    return xml.hasError() ? xml.errorString() : QString();
}
} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_prefix.isValid());
        QProcess install;
        install.start(QStringLiteral(CMAKE_COMMAND),
                      {"--install", BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY(install.waitForFinished(60000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    }

    void menuEntryIconAndProgram_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("quorlen") << QStringLiteral("quorlen") << QStringLiteral("Tavrin");
        QTest::newRow("brasset") << QStringLiteral("brasset") << QStringLiteral("Form1");
    }

    void menuEntryIconAndProgram() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        const QString path = m_prefix.filePath("share/applications/" + name + ".desktop");
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {path});
        QVERIFY2(validate.waitForFinished(20000), "desktop-file-validate (desktop-file-utils)");
        const QByteArray complaints = validate.readAllStandardOutput();
        QVERIFY2(validate.exitCode() == 0 && complaints.isEmpty(), complaints.constData());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(file.readAll());
        for (const QString key : {"Name", "GenericName", "Comment"}) {
            const QString english = entryValue(entry, key);
            QVERIFY2(!english.isEmpty() && !english.contains(kChinese), qPrintable(key));
            QVERIFY2(entryValue(entry, key + "[zh_CN]").contains(kChinese), qPrintable(key));
        }
        QCOMPARE(entryValue(entry, "Type"), QStringLiteral("Application"));

        // What the menu starts and shows must be there, and start.
        const QString program = m_prefix.filePath("bin/" + entryValue(entry, "Exec"));
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
        QCOMPARE(svgProblem(m_prefix.filePath("share/icons/hicolor/scalable/apps/" +
                                              entryValue(entry, "Icon") + ".svg")),
                 QString());
        QTemporaryDir folder;
        Program installed(screen(), program, folder.path());
        QVERIFY(installed.start());
        QVERIFY2(installed.waitForWindow(title), qPrintable(installed.errors()));
    }

private:
    QTemporaryDir m_prefix;
};

int main(int argc, char** argv) {
    TestInstall tests;
    return runTestsOnVirtualScreen(argc, argv, tests);
}

#include "tst_install.moc"
