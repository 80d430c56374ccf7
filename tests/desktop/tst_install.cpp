// "cmake --install" into a fresh prefix, read the way a Linux desktop reads
// it: the menu entry names the program, speaks Chinese and English, points
// at a program and an icon that were installed, and the installed program
// starts and shows its window.

#include "xdesktop.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace xdesktop;

namespace {
// The keys of the [Desktop Entry] group. QSettings would read "," and ";"
// in values as list separators, so the few lines are read here.
QMap<QString, QString> desktopEntry(const QString& path) {
    QFile file(path);
    QMap<QString, QString> entry;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')))
            entry.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return entry;
}

bool hasChinese(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// The icon is an SVG document that parses and is square.
QString svgProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("missing");
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (xml.name() != QLatin1String("svg"))
        return QStringLiteral("not an SVG document");
    const QStringList box = xml.attributes().value(QLatin1String("viewBox")).toString().split(' ');
    if (box.size() != 4 || box[2] != box[3])
        return QStringLiteral("no square viewBox");
    while (!xml.atEnd())
        xml.readNext();
    return xml.hasError() ? xml.errorString() : QString();
}
} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menuEntryIconAndProgram_data();
    void menuEntryIconAndProgram();

private:
    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase() {
    QVERIFY(m_prefix.isValid());
    QProcess install;
    install.start(QStringLiteral(CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                   QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
}

void TestInstall::menuEntryIconAndProgram_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("quorlen") << QStringLiteral("quorlen") << QStringLiteral("Tavrin");
    QTest::newRow("brasset") << QStringLiteral("brasset") << QStringLiteral("Form1");
}

void TestInstall::menuEntryIconAndProgram() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    const QString entryPath =
        m_prefix.filePath(QStringLiteral("share/applications/%1.desktop").arg(name));
    const QMap<QString, QString> entry = desktopEntry(entryPath);
    for (const char* key : {"Name", "GenericName", "Comment"}) {
        const QString english = entry.value(QLatin1String(key));
        const QString chinese = entry.value(QLatin1String(key) + QLatin1String("[zh_CN]"));
        QVERIFY2(!english.isEmpty() && !hasChinese(english), key);
        QVERIFY2(hasChinese(chinese), key);
    }
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));

    // What the menu starts and shows must be there.
    const QString program = m_prefix.filePath(QStringLiteral("bin/") + entry.value("Exec"));
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
    const QString icon = m_prefix.filePath(
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(entry.value("Icon")));
    QCOMPARE(svgProblem(icon), QString());

    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {entryPath});
    QVERIFY2(validate.waitForFinished(20000), "desktop-file-validate (package desktop-file-utils)");
    const QByteArray complaints = validate.readAllStandardOutput();
    QVERIFY2(validate.exitCode() == 0 && complaints.isEmpty(), complaints.constData());

    QTemporaryDir folder;
    Program installed(screen(), program, folder.path());
    QVERIFY(installed.start());
    QVERIFY2(installed.waitForWindow(title), qPrintable(installed.errors()));
}

int main(int argc, char** argv) {
    TestInstall tests;
    return runTestsOnVirtualScreen(argc, argv, tests);
}

#include "tst_install.moc"
