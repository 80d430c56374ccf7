#pragma once
// Driving the real programs on a real X server, for the screenshots and the
// start-up benchmark: a private Xvfb, the program started in a folder of its
// own, windows found by their title, clicks and keys sent through xdotool,
// and what the screen shows read back as pixels.
//
// Every wait polls with a deadline; nothing here sleeps a fixed time hoping
// that the program has caught up.

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace xdesktop {

// How long one step (a window to appear, a process to end) may take before
// the tool gives up on it. Generous: the machine may be busy building.
inline constexpr int kStepMs = 20000;

// Runs `check` until it returns true or `ms` have passed, handling events in
// between. Returns the last result.
bool pollUntil(const std::function<bool()>& check, int ms = kStepMs);

// A private Xvfb on a display number the server picks itself (-displayfd),
// so that test programs running side by side never share a screen.
class VirtualScreen {
public:
    explicit VirtualScreen(QSize size = {2560, 1600});
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    bool isRunning() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }
    QString error() const { return m_error; }

    // Runs xdotool on this screen; its output, trimmed. `ok` is false when it
    // could not run, did not end in time or failed.
    QString xdotool(const QStringList& arguments, bool* ok = nullptr) const;

private:
    qint64 m_pid = -1;
    QString m_display;
    QString m_error;
};

// Runs `body` with this process connected to a new virtual screen, so that it
// can read the screen back, and ends the screen afterwards; for main().
// Returns what `body` returned, or 1 when there was no screen.
int runOnVirtualScreen(int argc, char** argv, const std::function<int()>& body);

// The screen that runOnVirtualScreen made, to start programs on.
VirtualScreen& screen();

// A program: started in `folder` on the screen, ended with SIGTERM
// and a wait when this goes.
class Program {
public:
    // `environment` entries ("NAME=value") are added to the program's
    // environment, e.g. QT_SCALE_FACTOR=2.
    Program(VirtualScreen& screen, QString binary, QString folder,
            const QStringList& environment = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool start();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    // What the program wrote to its standard error so far.
    QString errors();

    // The program's visible window of exactly this title, once it is up; 0
    // when none came within the time.
    quint64 waitForWindow(const QString& title, int ms = kStepMs);
    bool waitUntilClosed(quint64 window, int ms = kStepMs);
    // The program's visible windows, by id.
    QList<quint64> windows();
    QString windowTitle(quint64 window);

    // Waits for the program to end by itself; true with its exit code when
    // it ended normally within the time.
    bool waitForExit(int* exitCode, int ms = kStepMs);

    // Input, at points in device-independent pixels relative to the window,
    // scaled like the program is.
    bool click(quint64 window, QPoint point);
    // Keys and text go to the window given, as if it had been clicked into.
    bool typeLines(quint64 window, const QStringList& lines);
    bool keys(quint64 window, const QStringList& keys);

    // The window's pixels as the screen shows them (device pixels), and the
    // screen where the window is, with whatever stands over it.
    QImage grab(quint64 window);
    QImage screenArea(quint64 window);
    double scale() const { return m_scale; }

private:
    bool input(quint64 window, const QStringList& arguments);
    QPoint devicePoint(QPoint point) const;

    VirtualScreen& m_screen;
    QString m_binary;
    QString m_folder;
    QStringList m_environment;
    double m_scale = 1.0;
    QProcess m_process;
    QByteArray m_errors;
};

// True when something is drawn in `area` of the image: more than the one or
// two colours of a bare background.
bool isDrawn(const QImage& image, const QRect& area);

} // namespace xdesktop
