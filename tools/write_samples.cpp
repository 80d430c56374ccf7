// Writes "default.txt", a seat-plan export and a room export into a folder,
// from fixed input, by clicking through both windows as a user would. The
// Windows build runs it under Wine and its files must equal, byte for byte,
// those of the Linux build (scripts/windows-build.sh compares them).
//
//   write_samples FOLDER [--open]
//
// With --open both exports are answered with Yes and handed to the real
// desktop, which on Windows is the shell's "open" (ShellExecute).

#include "../rooms/window.h"
#include "../seating/window.h"
#include "testfiles.h"
#include "windowdriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QQueue>
#include <cstdio>

namespace {

// Answers the save dialogs from a queue and every question with `yes`; a Yes
// opens the document on the real desktop.
class AnsweringDesktop final : public common::Desktop {
public:
    explicit AnsweringDesktop(bool yes) : m_yes(yes) {}
    QQueue<QString> fileNames;
    QStringList messages;

    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& name) override {
        return openFileName(parent, title, filter, name);
    }
    void inform(QWidget*, const QString& text, const QString&) override { messages << text; }
    bool askYesNo(QWidget*, const QString& text, const QString&) override {
        messages << text;
        return m_yes;
    }
    void reportError(QWidget*, const QString& text, const QString&) override {
        messages << QStringLiteral("error: ") + text;
    }
    void openDocument(const QString& path) override {
        std::printf("opening %s\n", qUtf8Printable(path));
        common::QtDesktop().openDocument(path);
    }
    void openAddress(const QString&) override {}

private:
    bool m_yes;
};

// Names that test the conversion: GBK ones, characters GBK lacks (one "?"
// each), quoting in the plan file, the euro sign and blanks kept as typed.
const QString kNames =
    QStringLiteral("张三\n李四, 王五\n\"引号\"\n 前后空格 \n😀表情\n한글\n€欧元\n\n"
                   "赵六\n钱七\t\n孙八\n周九\n吴十\n郑十一\n王十二\n冯十三");

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: write_samples FOLDER [--open]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool open = argc > 2 && qstrcmp(argv[2], "--open") == 0;
    if (!folder.exists() || !QDir::setCurrent(folder.path())) {
        std::fprintf(stderr, "no folder %s\n", argv[1]);
        return 2;
    }
    AnsweringDesktop desktop(open);

    // Quorlen: the exam panel's list laid out and exported; then a plan
    // file with a broken GBK sequence opened over it, a swap, the podium to
    // the back, and saved.
    writeBytes(folder.filePath(QStringLiteral("opened.txt")),
               "\xD5\xC5\xC8\xFD\r\nNULL\r\n\x81\x30x\r\n\"a,b\"\r\n \xC0\xEE\xCB\xC4\r\n");
    {
        quorlen::Form1 window(desktop);
        click(window, QStringLiteral("Command9"));
        child<QPlainTextEdit>(window, QStringLiteral("Text3"))->setPlainText(kNames);
        click(window, QStringLiteral("Command13"));
        desktop.fileNames.enqueue(folder.filePath(QStringLiteral("座位表")));
        click(window, QStringLiteral("Command4"));
        desktop.fileNames.enqueue(folder.filePath(QStringLiteral("opened.txt")));
        click(window, QStringLiteral("Command2"));
        clickSeat(window, 0);
        clickSeat(window, 34);
        click(window, QStringLiteral("Command6"));
        click(window, QStringLiteral("Command3"));
    }
    // Brasset: the same names over rooms of five, exported.
    {
        brasset::Form1 window(desktop);
        child<QPlainTextEdit>(window, QStringLiteral("Text1"))->setPlainText(kNames);
        child<QLineEdit>(window, QStringLiteral("Text2"))->setText(QStringLiteral("5"));
        click(window, QStringLiteral("Command1"));
        desktop.fileNames.enqueue(folder.filePath(QStringLiteral("考场表.rtf")));
        click(window, QStringLiteral("Command2"));
    }
    for (const QString& message : desktop.messages)
        std::printf("%s\n", qUtf8Printable(message.simplified()));
    return 0;
}
