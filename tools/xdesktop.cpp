#include "xdesktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace xdesktop {

namespace {
VirtualScreen* g_screen = nullptr;

// Ends a child with SIGTERM and waits for it, with SIGKILL as the last word
// if it does not go within a few seconds.
void endChild(pid_t pid) {
    ::kill(pid, SIGTERM);
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        ::usleep(10000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// Reads the display number that Xvfb writes once it accepts connections.
QString readDisplayNumber(int fd, QString& error) {
    QByteArray number;
    const QDeadlineTimer deadline(kStepMs);
    while (!number.endsWith('\n')) {
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, int(deadline.remainingTime())) <= 0) {
            error = QStringLiteral("Xvfb did not start in time");
            return {};
        }
        char byte = 0;
        if (::read(fd, &byte, 1) != 1) {
            error = QStringLiteral("Xvfb ended at start (is the package xvfb installed?)");
            return {};
        }
        number.append(byte);
    }
    return QLatin1Char(':') + QString::fromLatin1(number.trimmed());
}
} // namespace

bool pollUntil(const std::function<bool()>& check, int ms) {
    const QDeadlineTimer deadline(ms);
    for (;;) {
        if (check())
            return true;
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
}

// Started with fork and exec rather than QProcess: the server must be up
// before this process connects to it, which is before any Qt application
// object (and so QProcess) can exist.
VirtualScreen::VirtualScreen(QSize size) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        m_error = QStringLiteral("no pipe for Xvfb");
        return;
    }
    const QByteArray geometry =
        QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()).toLatin1();
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        // -noreset: the server stays as it is between two programs of a test,
        // instead of resetting while the next one connects.
        ::execlp("Xvfb", "Xvfb", "-displayfd", "1", "-screen", "0", geometry.constData(),
                 "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (m_pid < 0) {
        ::close(pipeFds[0]);
        m_error = QStringLiteral("could not start Xvfb");
        return;
    }
    m_display = readDisplayNumber(pipeFds[0], m_error);
    ::close(pipeFds[0]);
    if (m_display.isEmpty()) {
        endChild(pid_t(m_pid));
        m_pid = -1;
    }
}

VirtualScreen::~VirtualScreen() {
    if (m_pid > 0)
        endChild(pid_t(m_pid));
}

QString VirtualScreen::xdotool(const QStringList& arguments, bool* ok) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdotool"), arguments);
    const bool finished = process.waitForStarted(kStepMs) && process.waitForFinished(kStepMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

int runOnVirtualScreen(int argc, char** argv, const std::function<int()>& body) {
    VirtualScreen virtualScreen;
    if (!virtualScreen.isRunning()) {
        qCritical("%s", qPrintable(virtualScreen.error()));
        return 1;
    }
    g_screen = &virtualScreen;
    qputenv("DISPLAY", virtualScreen.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("QT_SCALE_FACTOR");
    // Qt wants a private runtime folder; without one every program started
    // warns about it.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    int result = 0;
    {
        QGuiApplication application(argc, argv);
        result = body();
    }
    g_screen = nullptr;
    return result;
}

VirtualScreen& screen() {
    Q_ASSERT(g_screen);
    return *g_screen;
}

Program::Program(VirtualScreen& screen, QString binary, QString folder,
                 const QStringList& environment)
    : m_screen(screen), m_binary(std::move(binary)), m_folder(std::move(folder)),
      m_environment(environment) {
    for (const QString& entry : environment) {
        if (entry.startsWith(QLatin1String("QT_SCALE_FACTOR=")))
            m_scale = entry.section(QLatin1Char('='), 1).toDouble();
    }
}

Program::~Program() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool Program::start() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_screen.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    // Qt's file dialog remembers folders in the user's settings; each run
    // keeps them in its own folder instead of the user's home.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder + QStringLiteral("/.config"));
    for (const QString& entry : m_environment)
        environment.insert(entry.section(QLatin1Char('='), 0, 0),
                           entry.section(QLatin1Char('='), 1));
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(m_folder);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(m_binary, {});
    return m_process.waitForStarted(kStepMs);
}

QString Program::errors() {
    m_errors += m_process.readAllStandardError();
    return QString::fromLocal8Bit(m_errors);
}

QList<quint64> Program::windows() {
    const QString found = m_screen.xdotool(
        {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
         QStringLiteral("--pid"), QString::number(m_process.processId())});
    QList<quint64> list;
    for (const QString& id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        list << id.toULongLong();
    return list;
}

QString Program::windowTitle(quint64 window) {
    return m_screen.xdotool({QStringLiteral("getwindowname"), QString::number(window)});
}

quint64 Program::waitForWindow(const QString& title, int ms) {
    quint64 found = 0;
    pollUntil(
        [&] {
            const QList<quint64> shown = windows();
            const auto window = std::find_if(shown.begin(), shown.end(),
                                             [&](quint64 w) { return windowTitle(w) == title; });
            found = window != shown.end() ? *window : 0;
            return found != 0 || !isRunning();
        },
        ms);
    return found;
}

bool Program::waitUntilClosed(quint64 window, int ms) {
    return pollUntil([&] { return !windows().contains(window); }, ms);
}

bool Program::waitForExit(int* exitCode, int ms) {
    if (!pollUntil([&] { return !isRunning(); }, ms))
        return false;
    *exitCode = m_process.exitCode();
    return m_process.exitStatus() == QProcess::NormalExit;
}

QPoint Program::devicePoint(QPoint point) const {
    return {qRound(point.x() * m_scale), qRound(point.y() * m_scale)};
}

bool Program::click(quint64 window, QPoint point) {
    const QPoint at = devicePoint(point);
    bool ok = false;
    m_screen.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"),
                      QString::number(window), QStringLiteral("--sync"), QString::number(at.x()),
                      QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")},
                     &ok);
    return ok;
}

bool Program::input(quint64 window, const QStringList& arguments) {
    bool ok = false;
    m_screen.xdotool(QStringList{QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                                 QString::number(window)} +
                         arguments,
                     &ok);
    return ok;
}

bool Program::typeLines(quint64 window, const QStringList& lines) {
    // One xdotool run for the whole list; it types a carriage return as the
    // Return key, as a person ends a line.
    return input(window,
                 {QStringLiteral("type"), QStringLiteral("--"), lines.join(QLatin1Char('\r'))});
}

bool Program::keys(quint64 window, const QStringList& keys) {
    return input(window, QStringList{QStringLiteral("key")} + keys);
}

QImage Program::grab(quint64 window) {
    return QGuiApplication::primaryScreen()->grabWindow(WId(window)).toImage();
}

QImage Program::screenArea(quint64 window) {
    // "X=..", "Y=..", "WIDTH=..", "HEIGHT=..", one a line.
    QMap<QString, int> shape;
    const QString shell = m_screen.xdotool(
        {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window)});
    for (const QString& line : shell.split(QLatin1Char('\n')))
        shape[line.section(QLatin1Char('='), 0, 0)] = line.section(QLatin1Char('='), 1).toInt();
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, shape[QStringLiteral("X")], shape[QStringLiteral("Y")],
                     shape[QStringLiteral("WIDTH")], shape[QStringLiteral("HEIGHT")])
        .toImage();
}

bool isDrawn(const QImage& image, const QRect& area) {
    QSet<QRgb> colours;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            colours.insert(image.pixel(x, y));
    return colours.size() > 2;
}

} // namespace xdesktop
