#pragma once
// What the two monkey tests share: a seeded source of clicks and names, and a
// clock that keeps the slowest step of each kind. The monkeys drive the real
// windows, with the scripted desktop answering every dialog; MONKEY_SEED and
// MONKEY_STEPS replay or lengthen a run.

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QStringList>
#include <QtTest>

#include <algorithm>
#include <iterator>
#include <map>

constexpr quint32 kDefaultSeed = 20240607;
// Far beyond a frame: a step this slow is hung, not merely slow on a busy
// machine. The real figures are printed.
constexpr qint64 kHungStepMs = 2000;

inline int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Every character is in GBK and none spells "NULL", so a saved plan must come
// back exactly; blanks, tabs, commas and quotation marks test the file's
// quoting, "&" and "<" the captions' display.
inline const QString kAlphabet = QStringLiteral("abXY09 \t,\"&<>-.张三李四王五赵六讲台考生（）·");

// Times each step and keeps the slowest of each kind.
class StepClock {
public:
    template <typename Step> void time(const QString& kind, Step step) {
        m_lastKind = kind;
        QElapsedTimer timer;
        timer.start();
        step();
        const qint64 ms = timer.elapsed();
        ++m_steps;
        qint64& slowest = m_slowest[kind];
        slowest = std::max(slowest, ms);
        QVERIFY2(ms < kHungStepMs, qPrintable(QStringLiteral("%1 took %2 ms").arg(kind).arg(ms)));
    }

    QString lastKind() const { return m_lastKind; }

    void print(const char* window, quint32 seed) const {
        QStringList kinds;
        qint64 slowest = 0;
        for (const auto& [kind, ms] : m_slowest) {
            kinds << QStringLiteral("%1 %2").arg(kind).arg(ms);
            slowest = std::max(slowest, ms);
        }
        qInfo("%s monkey: seed %u, %d steps, slowest step %lld ms (by kind, ms: %s)", window, seed,
              m_steps, slowest, qPrintable(kinds.join(QStringLiteral(", "))));
    }

private:
    int m_steps = 0;
    QString m_lastKind;
    std::map<QString, qint64> m_slowest;
};

class Monkey {
public:
    explicit Monkey(quint32 seed) : m_rng(seed) {}

    int below(int bound) { return int(m_rng.bounded(bound)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List> const auto& pick(const List& list) {
        return list[below(int(std::size(list)))];
    }

    QString name() {
        QString text;
        const int length = chance(5) ? 40 + below(40) : below(9);
        for (int i = 0; i < length; ++i)
            text += kAlphabet[below(int(kAlphabet.size()))];
        return text;
    }

    // A list as pasted from a spreadsheet: CR LF between lines, sometimes
    // after the last one too, some lines empty.
    QString list(int most) {
        QStringList lines;
        const int count = below(most + 1);
        for (int i = 0; i < count; ++i)
            lines << (chance(10) ? QString() : name());
        QString text = lines.join(QStringLiteral("\r\n"));
        if (count > 0 && chance(20))
            text += QStringLiteral("\r\n");
        return text;
    }

private:
    QRandomGenerator m_rng;
};

template <typename Plan> QStringList sortedCaptions(const Plan& plan) {
    QStringList captions(plan.begin(), plan.end());
    captions.sort();
    return captions;
}

inline void paste(QPlainTextEdit* box, const QString& text, bool replace) {
    if (replace)
        box->clear();
    box->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(text);
    box->paste();
}

// The lines of a text box, as the user sees them.
inline QStringList boxLines(const QPlainTextEdit* box) {
    const QString text = box->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// Runs a monkey of the given type for MONKEY_STEPS steps (by default
// `defaultSteps`) from MONKEY_SEED, naming the step that failed so that the
// run can be replayed, and prints the slowest steps.
template <typename WindowMonkey> void runMonkey(const char* window, int defaultSteps) {
    const auto seed = quint32(envNumber("MONKEY_SEED", kDefaultSeed));
    const int steps = envNumber("MONKEY_STEPS", defaultSteps);
    WindowMonkey monkey(seed);
    for (int step = 0; step < steps; ++step) {
        monkey.step();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("at step %1 (%2) of seed %3")
                                 .arg(step)
                                 .arg(monkey.clock().lastKind())
                                 .arg(seed)));
    }
    monkey.clock().print(window, seed);
}
