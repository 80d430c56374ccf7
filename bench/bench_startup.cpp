// How fast each program puts its window on the screen, and how much memory it
// takes to get there, beside the floor: a bare Qt window program built the
// same way. Every program is started on a private Xvfb, round after round
// (so that a busy moment of the machine hits all of them alike), after one
// round that warms the disk cache and is not counted.
//   bench_startup [runs]   (default 10)
//
// "Mapped" is the moment the X server maps the program's first top-level
// window, watched as a MapNotify event on the root window; "drawn" the moment
// the first paint of that window has reached the screen. "Peak memory" is
// the program's peak resident set (VmHWM) once it has gone quiet after that.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {
struct Subject {
    const char* name;
    const char* binary;
    double timeTarget; // the most its median may be, as a multiple of the floor's
    std::vector<double> mappedMs;
    std::vector<double> paintedMs;
    std::vector<double> peakMb;
};

// The process's CPU time so far, in clock ticks.
long long cpuTicks(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The fields after the command name, which ends at the last ')'.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

double peakResidentMb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    const auto peak = std::find_if(lines.begin(), lines.end(), [](const QByteArray& line) {
        return line.startsWith("VmHWM:");
    });
    return peak == lines.end() ? 0 : peak->mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
}

// The process that owns a window, as Qt tells the X server (_NET_WM_PID).
qint64 windowPid(xcb_connection_t* connection, xcb_window_t window) {
    static const xcb_atom_t pidAtom = [connection] {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, 11, "_NET_WM_PID"), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return atom;
    }();
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    qint64 pid = -1;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    free(reply);
    return pid;
}

// Waits until the X server reports a window of the process mapped on the
// root; that window, or none when it did not come within the time.
xcb_window_t waitForMap(xcb_connection_t* connection, qint64 pid, const QDeadlineTimer& deadline) {
    pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            xcb_window_t window = XCB_NONE;
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY)
                window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            free(event);
            if (window != XCB_NONE && windowPid(connection, window) == pid)
                return window;
        }
        if (deadline.hasExpired() || ::poll(&wait, 1, int(deadline.remainingTime())) <= 0)
            return XCB_NONE;
    }
}

// Waits until the program has painted its window: Qt gives its windows no
// background of their own, so the pixel near the top-left corner stays the
// black of the bare screen until the first paint reaches the server.
bool waitForPaint(xcb_connection_t* connection, xcb_window_t window,
                  const QDeadlineTimer& deadline) {
    while (!deadline.hasExpired()) {
        xcb_get_image_reply_t* image = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 2, 2, 1, 1, ~0u), nullptr);
        const uint8_t* pixel = image ? xcb_get_image_data(image) : nullptr;
        const bool painted = pixel && (pixel[0] | pixel[1] | pixel[2]) != 0;
        free(image);
        if (painted)
            return true;
        ::usleep(500);
    }
    return false;
}

// Quiet: no CPU time used over five looks 20 ms apart.
void waitUntilQuiet(qint64 pid) {
    const QDeadlineTimer deadline(5000);
    long long last = cpuTicks(pid);
    int still = 0;
    while (still < 5 && !deadline.hasExpired()) {
        ::usleep(20000);
        const long long now = cpuTicks(pid);
        still = now == last ? still + 1 : 0;
        last = now;
    }
}

bool runOnce(xcb_connection_t* connection, const QString& display, Subject& subject, bool counted) {
    QTemporaryDir folder;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    process.start(QString::fromLocal8Bit(subject.binary), {});
    const QDeadlineTimer deadline(20000);
    const xcb_window_t window = waitForMap(connection, process.processId(), deadline);
    const double mappedMs = double(clock.nsecsElapsed()) / 1e6;
    const bool painted = window != XCB_NONE && waitForPaint(connection, window, deadline);
    const double paintedMs = double(clock.nsecsElapsed()) / 1e6;
    if (painted) {
        waitUntilQuiet(process.processId());
        if (counted) {
            subject.mappedMs.push_back(mappedMs);
            subject.paintedMs.push_back(paintedMs);
            subject.peakMb.push_back(peakResidentMb(process.processId()));
        }
    } else {
        std::fprintf(stderr, "%s showed no window\n", subject.name);
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
    return painted;
}

// A private Xvfb on a display number the server picks itself, so that runs
// side by side never share a screen; -noreset keeps it as it is when one
// program leaves and the next connects. Its display name, or none.
QString startXvfb(QProcess& server) {
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1600x1200x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-noreset")});
    const QDeadlineTimer deadline(20000);
    while (!server.canReadLine()) {
        if (!server.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    }
    return QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QCoreApplication application(argc, argv);
    QProcess server;
    const auto stopServer = qScopeGuard([&server] {
        server.terminate();
        server.waitForFinished(5000);
    });
    const QString display = startXvfb(server);
    if (display.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start (is the package xvfb installed?)\n");
        return 1;
    }

    xcb_connection_t* connection = xcb_connect(display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no connection to %s\n", qPrintable(display));
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::vector<Subject> subjects{
        {"floor", FLOOR_BINARY, 1.0, {}, {}, {}},
        {"quorlen", QUORLEN_BINARY, 1.3, {}, {}, {}},
        {"brasset", BRASSET_BINARY, 1.5, {}, {}, {}},
    };
    for (int round = 0; round <= runs; ++round) {
        for (Subject& subject : subjects) {
            if (!runOnce(connection, display, subject, round > 0))
                return 1;
        }
    }
    xcb_disconnect(connection);

    const Subject& floor = subjects[0];
    constexpr double kMemoryTarget = 1.25;
    std::printf("Start-up on Xvfb, median of %d runs each; ratios to the floor\n\n", runs);
    std::printf("%-8s %16s %16s %16s %7s\n", "", "window mapped", "window drawn", "peak memory",
                "targets");
    bool met = true;
    for (const Subject& subject : subjects) {
        const double mapped = median(subject.mappedMs);
        const double painted = median(subject.paintedMs);
        const double mb = median(subject.peakMb);
        const double timeRatio = mapped / median(floor.mappedMs);
        const double memoryRatio = mb / median(floor.peakMb);
        const bool isFloor = &subject == &floor;
        const bool hit = timeRatio <= subject.timeTarget && memoryRatio <= kMemoryTarget;
        met = met && hit;
        std::printf("%-8s %6.1f ms %5.2f× %6.1f ms %5.2f× %6.1f MB %5.2f× %7s\n", subject.name,
                    mapped, timeRatio, painted, painted / median(floor.paintedMs), mb, memoryRatio,
                    isFloor ? ""
                    : hit   ? "met"
                            : "MISSED");
    }
    std::printf("\nTargets: window mapped within 1.3× the floor for quorlen, 1.5× for brasset;\n"
                "peak memory within %.2f× for both.\n",
                kMemoryTarget);
    std::printf("\n%s\n", met ? "All targets met." : "A target was missed.");
    return 0;
}
