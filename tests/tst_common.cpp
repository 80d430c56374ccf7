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

using namespace Qt::StringLiterals;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void gbkBytes();
    void safeWriteReplacesWholeOrNothing();
    void cutPastedList_data();
    void cutPastedList();
    void textBoxLines();
    void fileNames();
    void captionsShowLiterally();
    void qtButtonsSpeakChinese();
};

void TestCommon::gbkBytes() {
    QCOMPARE(common::toAnsi(u"第1考场"), QByteArray("\xB5\xDA"
                                                    "1"
                                                    "\xBF\xBC\xB3\xA1"));
    // Characters GBK lacks become one "?" each, surrogate pairs included,
    // and so does half a pair, also at the very end.
    QCOMPARE(common::toAnsi(u"a😀한b"_s), QByteArray("a??b"));
    QCOMPARE(common::toAnsi(u"\xDC00"
                            u"a"
                            u"\xD800"),
             QByteArray("?a?"));
    QCOMPARE(common::fromAnsi("\xB5\xDA"), u"第"_s);
    // A lead byte with an invalid trail byte gives one replacement
    // character and the next byte is read on its own.
    QCOMPARE(common::fromAnsi("\x81\x30z"), u"\uFFFD0z"_s);
    QCOMPARE(common::ansiLines({u"讲台"_s, QString(), u"x"_s}),
             QByteArray("\xBD\xB2\xCC\xA8\r\n\r\nx\r\n"));
}

void TestCommon::safeWriteReplacesWholeOrNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plan.txt"_s);
    QVERIFY(common::writeFileSafely(path, "the longer first").isEmpty());
    QVERIFY(common::writeFileSafely(path, "second").isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("second"));

    // A name that is a folder, and a folder that does not exist: the
    // platform's reason comes back and nothing is left behind.
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    QVERIFY(!common::writeFileSafely(dir.filePath(u"folder"_s), "x").isEmpty());
    QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());
    QVERIFY(!common::writeFileSafely(dir.filePath(u"missing/plan.txt"_s), "x").isEmpty());
    // A file marked read-only keeps its content, also when the administrator
    // runs the program.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadOther));
    QVERIFY(!common::writeFileSafely(path, "third").isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("second"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"plan.txt"_s});
}

void TestCommon::cutPastedList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("keep"); // how many entries to copy; -1 for all
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("count");
    const QString e;
    QTest::newRow("empty text gives nothing") << e << -1 << QStringList{} << 0;
    QTest::newRow("one line") << u"张三"_s << -1 << QStringList{"张三"} << 1;
    QTest::newRow("final break adds an empty entry")
        << u"a\r\nb\r\n"_s << -1 << QStringList{"a", "b", e} << 3;
    QTest::newRow("empty line in the middle")
        << u"a\r\n\r\nb"_s << -1 << QStringList{"a", e, "b"} << 3;
    QTest::newRow("nothing trimmed") << u" 1 a\t\r\n\t"_s << -1 << QStringList{" 1 a\t", "\t"} << 2;
    QTest::newRow("lone CR and LF stay inside")
        << u"a\rb\nc\r\nd"_s << -1 << QStringList{"a\rb\nc", "d"} << 2;
    QTest::newRow("LF CR is no break") << u"a\n\rb"_s << -1 << QStringList{"a\n\rb"} << 1;
    QTest::newRow("only a break") << u"\r\n"_s << -1 << QStringList{e, e} << 2;
    // Only the entries asked for are copied, but all are counted.
    QTest::newRow("keep two of four") << u"a\r\nb\r\nc\r\n"_s << 2 << QStringList{"a", "b"} << 4;
    QTest::newRow("keep none") << u"a\r\nb"_s << 0 << QStringList{} << 2;
}

void TestCommon::cutPastedList() {
    QFETCH(QString, text);
    QFETCH(int, keep);
    QFETCH(QStringList, entries);
    QFETCH(int, count);
    const common::PastedList list =
        keep < 0 ? common::cutPastedList(text) : common::cutPastedList(text, keep);
    QCOMPARE(QStringList(list.entries.begin(), list.entries.end()), entries);
    QCOMPARE(list.count, count);
}

// Every break a text box shows becomes CR LF, and reading only its first
// lines cuts into the same entries as reading all of it.
void TestCommon::textBoxLines() {
    QCOMPARE(common::textBoxList(u"a\nb\u2029c\n"_s), u"a\r\nb\r\nc\r\n"_s);
    // clang-format off
    const QStringList boxes{"", "a\r\nb", "a\r\nb\r\nc", "a\r\nb\r\nc\r\n", "a\r\n\r\nc\r\nd\r\ne",
                            "a\r\nb\r\n\r\n\r\n", " a\rb\u00a0\nc\t\r\nd\u2028e\r\nf"};
    // clang-format on
    for (const QString& pasted : boxes) {
        for (int keep : {0, 2, 3, 4}) {
            QTextDocument box;
            QTextCursor(&box).insertText(pasted);
            const common::PastedList all =
                common::cutPastedList(common::textBoxList(box.toPlainText()), keep);
            const common::PastedList first =
                common::cutPastedList(common::textBoxList(box, keep), keep);
            QCOMPARE(first.entries, all.entries);
            QVERIFY(first.entries.size() <= size_t(keep));
        }
    }
}

// The ".rtf" rule for export names, and the file-dialog filters as Qt wants
// them.
void TestCommon::fileNames() {
    const QList<QPair<QString, QString>> names{
        {"plan", "plan.rtf"},     {"plan.RTF", "plan.RTF"},
        {"plan.rTf", "plan.rTf"}, {"plan.doc", "plan.doc.rtf"},
        {"a", "a.rtf"},           {"rtf", "rtf.rtf"},
        {".rtf", ".rtf"},         {u"/tmp/考场 座位"_s, u"/tmp/考场 座位.rtf"_s}};
    for (const auto& [name, written] : names)
        QCOMPARE(common::withRtfExtension(name), written);

    QCOMPARE(common::qtFileFilter(u"Txt files(*.txt)|*.txt|All files(*.*)|*.*"_s),
             u"Txt files(*.txt);;All files(*.*)"_s);
    QCOMPARE(common::qtFileFilter(u"RTF文件(*.rtf)|*.rtf"_s), u"RTF文件(*.rtf)"_s);
    QCOMPARE(common::qtFileFilter(u"Plans|*.txt;*.pln"_s), u"Plans (*.txt *.pln)"_s);
}

void TestCommon::captionsShowLiterally() {
    common::CaptionButton button;
    button.resize(common::px(1095), common::px(375));
    button.setCaption(u"A&B"_s);
    QCOMPARE(button.caption(), u"A&B"_s);
    QCOMPARE(button.text(), u"A&&B"_s);

    const QString longName(100000, QChar(u'名'));
    button.setCaption(longName);
    QCOMPARE(button.caption(), longName);
    QVERIFY(button.text().size() < 50);
    QVERIFY(button.text().endsWith(QChar(0x2026)));
    QVERIFY(button.toolTip().contains(longName));

    button.setCaption(u"<b>x</b>"_s);
    QVERIFY(button.toolTip().contains(u"&lt;b&gt;x&lt;/b&gt;"_s));
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
