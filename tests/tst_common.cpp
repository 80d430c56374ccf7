// The platform layer both programs stand on: GBK bytes, safe file writes,
// pasted lists, file names and the seat button's literal captions.

#include "ansitext.h"
#include "filenames.h"
#include "pastedlist.h"
#include "testfiles.h"
#include "widgets.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void gbkBytes();
    void safeWriteReplacesWholeOrNothing();
    void cutPastedList_data();
    void cutPastedList();
    void cutPastedListKeepsOnlyWhatIsAsked();
    void textBoxLinesBecomeCrLf();
    void textBoxFirstLines_data();
    void textBoxFirstLines();
    void rtfExtension_data();
    void rtfExtension();
    void fileFilters();
    void captionsShowLiterally();
    void qtButtonsSpeakChinese();
};

void TestCommon::gbkBytes() {
    QCOMPARE(common::toAnsi(u"第1考场"), QByteArray("\xB5\xDA"
                                                    "1"
                                                    "\xBF\xBC\xB3\xA1"));
    // Characters GBK lacks become one "?" each, surrogate pairs included,
    // and so does half a pair, also at the very end.
    QCOMPARE(common::toAnsi(QStringLiteral("a😀한b")), QByteArray("a??b"));
    QCOMPARE(common::toAnsi(u"\xDC00"
                            u"a"
                            u"\xD800"),
             QByteArray("?a?"));
    QCOMPARE(common::fromAnsi("\xB5\xDA"), QStringLiteral("第"));
    // A lead byte with an invalid trail byte gives one replacement
    // character and the next byte is read on its own.
    QCOMPARE(common::fromAnsi("\x81\x30z"), QStringLiteral("\uFFFD0z"));
    QCOMPARE(common::ansiLines({QStringLiteral("讲台"), QString(), QStringLiteral("x")}),
             QByteArray("\xBD\xB2\xCC\xA8\r\n\r\nx\r\n"));
}

void TestCommon::safeWriteReplacesWholeOrNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.txt"));
    QVERIFY(common::writeFileSafely(path, "first").isEmpty());
    QVERIFY(common::writeFileSafely(path, "second").isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("second"));

    // A name that is a folder, and a folder that does not exist: the
    // platform's reason comes back and nothing is left behind.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(!common::writeFileSafely(dir.filePath(QStringLiteral("folder")), "x").isEmpty());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
    QVERIFY(
        !common::writeFileSafely(dir.filePath(QStringLiteral("missing/plan.txt")), "x").isEmpty());
    // A file marked read-only keeps its content, also when the administrator
    // runs the program.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadOther));
    QVERIFY(!common::writeFileSafely(path, "third").isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("second"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plan.txt")});
}

void TestCommon::cutPastedList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    const QString e;
    QTest::newRow("empty text gives nothing") << e << QStringList{};
    QTest::newRow("one line") << QStringLiteral("张三") << QStringList{QStringLiteral("张三")};
    QTest::newRow("final break adds an empty entry")
        << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b", e};
    QTest::newRow("empty line in the middle")
        << QStringLiteral("a\r\n\r\nb") << QStringList{"a", e, "b"};
    QTest::newRow("nothing trimmed")
        << QStringLiteral(" 1 a\t\r\n\t") << QStringList{" 1 a\t", "\t"};
    QTest::newRow("lone CR and LF stay inside")
        << QStringLiteral("a\rb\nc\r\nd") << QStringList{"a\rb\nc", "d"};
    QTest::newRow("LF CR is no break") << QStringLiteral("a\n\rb") << QStringList{"a\n\rb"};
    QTest::newRow("only a break") << QStringLiteral("\r\n") << QStringList{e, e};
}

void TestCommon::cutPastedList() {
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    const common::PastedList list = common::cutPastedList(text);
    QCOMPARE(QStringList(list.entries.begin(), list.entries.end()), entries);
    QCOMPARE(list.count, entries.size());
}

void TestCommon::cutPastedListKeepsOnlyWhatIsAsked() {
    QString text;
    for (int i = 0; i < 1000; ++i)
        text += QStringLiteral("name%1\r\n").arg(i);
    const common::PastedList list = common::cutPastedList(text, 35);
    QCOMPARE(list.entries.size(), size_t(35));
    QCOMPARE(list.entries.back(), QStringLiteral("name34"));
    QCOMPARE(list.count, 1001);
}

void TestCommon::textBoxLinesBecomeCrLf() {
    QCOMPARE(common::textBoxList(QStringLiteral("a\nb\n")), QStringLiteral("a\r\nb\r\n"));
    QCOMPARE(common::textBoxList(QStringLiteral("a\u2029b")), QStringLiteral("a\r\nb"));
    QCOMPARE(common::textBoxList(QString()), QString());
}

void TestCommon::textBoxFirstLines_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("keep");
    QTest::newRow("empty box") << QString() << 3;
    QTest::newRow("fewer lines than kept") << QStringLiteral("a\r\nb") << 3;
    QTest::newRow("as many as kept") << QStringLiteral("a\r\nb\r\nc") << 3;
    QTest::newRow("as many as kept and a break") << QStringLiteral("a\r\nb\r\nc\r\n") << 3;
    QTest::newRow("more than kept") << QStringLiteral("a\r\n\r\nc\r\nd\r\ne") << 3;
    QTest::newRow("empty lines beyond") << QStringLiteral("a\r\nb\r\n\r\n\r\n") << 2;
    QTest::newRow("keep none") << QStringLiteral("a\r\nb") << 0;
    QTest::newRow("lone CR, LF, blanks and no-break spaces")
        << QStringLiteral(" a\rb\u00a0\nc\t\r\nd\u2028e\r\nf") << 4;
}

// Reading only the first lines of a box cuts into the same entries as
// reading all of it.
void TestCommon::textBoxFirstLines() {
    QFETCH(QString, pasted);
    QFETCH(int, keep);
    QTextDocument box;
    QTextCursor(&box).insertText(pasted);
    const common::PastedList all =
        common::cutPastedList(common::textBoxList(box.toPlainText()), keep);
    const common::PastedList first = common::cutPastedList(common::textBoxList(box, keep), keep);
    QCOMPARE(first.entries, all.entries);
    QVERIFY(first.entries.size() <= size_t(keep));
}

void TestCommon::rtfExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "plan"
                                  << "plan.rtf";
    QTest::newRow("upper case kept") << "plan.RTF"
                                     << "plan.RTF";
    QTest::newRow("mixed case kept") << "plan.rTf"
                                     << "plan.rTf";
    QTest::newRow("other extension") << "plan.doc"
                                     << "plan.doc.rtf";
    QTest::newRow("text file") << "plan.txt"
                               << "plan.txt.rtf";
    QTest::newRow("shorter than four") << "a"
                                       << "a.rtf";
    QTest::newRow("rtf without dot") << "rtf"
                                     << "rtf.rtf";
    QTest::newRow("only the extension") << ".rtf"
                                        << ".rtf";
    QTest::newRow("chinese and blanks") << "/tmp/考场 座位"
                                        << "/tmp/考场 座位.rtf";
}

void TestCommon::rtfExtension() {
    QFETCH(QString, name);
    QFETCH(QString, written);
    QCOMPARE(common::withRtfExtension(name), written);
}

void TestCommon::fileFilters() {
    QCOMPARE(common::qtFileFilter(QStringLiteral("Txt files(*.txt)|*.txt|All files(*.*)|*.*")),
             QStringLiteral("Txt files(*.txt);;All files(*.*)"));
    QCOMPARE(common::qtFileFilter(QStringLiteral("RTF文件(*.rtf)|*.rtf")),
             QStringLiteral("RTF文件(*.rtf)"));
    QCOMPARE(common::qtFileFilter(QStringLiteral("Plans|*.txt;*.pln")),
             QStringLiteral("Plans (*.txt *.pln)"));
}

void TestCommon::captionsShowLiterally() {
    common::CaptionButton button;
    button.resize(common::px(1095), common::px(375));
    button.setCaption(QStringLiteral("A&B"));
    QCOMPARE(button.caption(), QStringLiteral("A&B"));
    QCOMPARE(button.text(), QStringLiteral("A&&B"));

    const QString longName(100000, QChar(u'名'));
    button.setCaption(longName);
    QCOMPARE(button.caption(), longName);
    QVERIFY(button.text().size() < 50);
    QVERIFY(button.text().endsWith(QChar(0x2026)));
    QVERIFY(button.toolTip().contains(longName));

    button.setCaption(QStringLiteral("<b>x</b>"));
    QVERIFY(button.toolTip().contains(QStringLiteral("&lt;b&gt;x&lt;/b&gt;")));
    button.setCaption(QString());
    QVERIFY(button.text().isEmpty());
    QVERIFY(button.toolTip().isEmpty());
}

void TestCommon::qtButtonsSpeakChinese() {
    // Built into the program, for Windows, where Qt has no catalogues
    // installed; it goes away with its owner.
    QVERIFY(QFile::exists(QStringLiteral(":/translations/qtbase_zh_CN.qm")));
    {
        QObject owner;
        common::installChineseTranslations(&owner);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("是(&Y)"));
    }
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
}

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
