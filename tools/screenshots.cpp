// Takes the README's pictures of both programs on a private Xvfb, driving
// them as the end-to-end tests do: Quorlen's filled classroom with the podium
// at the front and at the back, its exam panel and its about window, Brasset
// with eight filled rooms, and both at QT_SCALE_FACTOR=2.
//   screenshots OUTPUT_FOLDER

#include "ansitext.h"
#include "layouts.h"
#include "xdesktop.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <utility>

using namespace xdesktop;

namespace {
// Made-up names of two or three characters, as a class list has them.
QStringList chineseNames(int count) {
    const QStringList family =
        QStringLiteral("王 李 张 刘 陈 杨 赵 黄 周 吴 徐 孙 胡 朱 高 林 何 郭")
            .split(QLatin1Char(' '));
    const QStringList given = QStringLiteral("伟 芳 娜 秀英 敏 静 丽 强 磊 军 洋 勇 艳 杰 娟 涛 明 "
                                             "超 晓燕 霞 平 刚 桂英 文博")
                                  .split(QLatin1Char(' '));
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << family[i % family.size()] + given[(i * 7 + i / family.size()) % given.size()];
    return names;
}

class Shooter {
public:
    explicit Shooter(QString folder) : m_folder(std::move(folder)) {}

    // Waits until the window has stopped changing, then saves it.
    bool save(Program& program, quint64 window, const QString& name) {
        QImage last = program.grab(window);
        QImage now;
        pollUntil([&] {
            now = program.grab(window);
            return std::exchange(last, now) == now && !now.isNull();
        });
        return store(now, name);
    }

    bool store(const QImage& image, const QString& name) {
        const QString path = QDir(m_folder).filePath(name);
        const bool saved = image.save(path);
        std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        m_ok = m_ok && saved;
        return saved;
    }

    // The screen where `window` is, with `over` (a menu) drawn over it.
    bool saveArea(Program& program, quint64 window, quint64 over, const QString& name) {
        QImage shot;
        pollUntil([&] { return !program.grab(over).isNull(); });
        pollUntil([&] {
            const QImage now = program.screenArea(window);
            return std::exchange(shot, now) == now && !now.isNull();
        });
        return store(shot, name);
    }

    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = true;
};

// Does `action` and waits until the window shows something else.
template <typename Action> bool changes(Program& program, quint64 window, Action action) {
    const QImage before = program.grab(window);
    action();
    return pollUntil([&] { return program.grab(window) != before; });
}

// Puts the text on the clipboard and pastes it with Ctrl+V into the focused
// box of the window, as a list copied from a spreadsheet arrives. The
// program fetches the text from this process, which answers while it waits.
bool paste(Program& program, quint64 window, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    return changes(program, window, [&] { program.keys(window, {QStringLiteral("ctrl+v")}); });
}

// A click with xdotool's click arguments (the button last) at a point of
// the window.
void clickAt(quint64 window, QPoint point, const QStringList& click) {
    screen().xdotool(QStringList{QStringLiteral("mousemove"), QStringLiteral("--window"),
                                 QString::number(window), QStringLiteral("--sync"),
                                 QString::number(point.x()), QString::number(point.y()),
                                 QStringLiteral("click")} +
                     click);
}

// The program's window that comes up beside `window`, once it is there.
quint64 otherWindow(Program& program, quint64 window) {
    quint64 other = 0;
    pollUntil([&] {
        const QList<quint64> shown = program.windows();
        const auto found =
            std::find_if(shown.begin(), shown.end(), [&](quint64 w) { return w != window; });
        other = found != shown.end() ? *found : 0;
        return other != 0;
    });
    return other;
}

bool quorlen(Shooter& shooter, double scale) {
    using namespace quorlen_layout;
    QTemporaryDir folder;
    QStringList plan = chineseNames(35);
    plan[33] = plan[34] = QStringLiteral("NULL");
    QFile file(folder.filePath(QStringLiteral("default.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(common::ansiLines(plan)) < 0)
        return false;
    file.close();
    Program program(screen(), QStringLiteral(QUORLEN_BINARY), folder.path(),
                    {QStringLiteral("QT_SCALE_FACTOR=%1").arg(scale)});
    const quint64 window =
        program.start() ? program.waitForWindow(QStringLiteral("Tavrin")) : quint64(0);
    if (!window || !pollUntil([&] { return podium(program, window) == QLatin1String("front"); }))
        return false;
    if (scale != 1.0)
        return shooter.save(program, window, QStringLiteral("quorlen-scale2.png"));

    shooter.save(program, window, QStringLiteral("quorlen.png"));
    program.click(window, kPodium);
    pollUntil([&] { return podium(program, window) == QLatin1String("back"); });
    shooter.save(program, window, QStringLiteral("quorlen-podium-back.png"));

    changes(program, window, [&] { program.click(window, kExamPanel); });
    paste(program, window, chineseNames(40).join(QLatin1Char('\n')));
    shooter.save(program, window, QStringLiteral("quorlen-exam-panel.png"));
    changes(program, window, [&] { program.click(window, kPanelBack); });

    // The menu of a right-click on a seat, with the window around it.
    clickAt(window, seat(17), {QStringLiteral("3")});
    shooter.saveArea(program, window, otherWindow(program, window),
                     QStringLiteral("quorlen-context-menu.png"));
    program.keys(window, {QStringLiteral("Escape")});
    pollUntil([&] { return program.windows().size() == 1; });

    // The print preview of Ctrl+P.
    program.keys(window, {QStringLiteral("ctrl+p")});
    const quint64 preview = otherWindow(program, window);
    if (!preview || !shooter.save(program, preview, QStringLiteral("quorlen-print-preview.png")))
        return false;
    program.keys(preview, {QStringLiteral("Escape")});
    pollUntil([&] { return program.windows().size() == 1; });

    // The about window opens on a double-click on the designer's panel.
    clickAt(window, kDesignerPanel,
            {QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
             QStringLiteral("80"), QStringLiteral("1")});
    const quint64 about = otherWindow(program, window);
    return about && shooter.save(program, about, QStringLiteral("quorlen-about.png"));
}

bool brasset(Shooter& shooter, double scale) {
    using namespace brasset_layout;
    QTemporaryDir folder;
    Program program(screen(), QStringLiteral(BRASSET_BINARY), folder.path(),
                    {QStringLiteral("QT_SCALE_FACTOR=%1").arg(scale)});
    const quint64 window =
        program.start() ? program.waitForWindow(QStringLiteral("Form1")) : quint64(0);
    if (!window)
        return false;
    program.click(window, kPersons);
    program.keys(window, {QStringLiteral("ctrl+a")});
    program.typeLines(window, {QStringLiteral("36")});
    program.click(window, kNames);
    paste(program, window, chineseNames(8 * 36).join(QLatin1Char('\n')));
    changes(program, window, [&] { program.click(window, kArrange); });
    if (scale != 1.0)
        return shooter.save(program, window, QStringLiteral("brasset-scale2.png"));
    shooter.save(program, window, QStringLiteral("brasset.png"));
    program.keys(window, {QStringLiteral("ctrl+p")});
    const quint64 preview = otherWindow(program, window);
    return preview && shooter.save(program, preview, QStringLiteral("brasset-print-preview.png"));
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    return runOnVirtualScreen(argc, argv, [&] {
        Shooter shooter(folder);
        const bool done = quorlen(shooter, 1.0) && quorlen(shooter, 2.0) && brasset(shooter, 1.0) &&
                          brasset(shooter, 2.0);
        return done && shooter.ok() ? 0 : 1;
    });
}
