#include "seating/rules.h"

#include "common/ansitext.h"
#include "common/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <cstdlib>
#include <span>

namespace quorlen {

namespace {
// A rules file is a few hundred bytes; anything far larger is not one, and
// is not read into memory.
constexpr qint64 kLargestFile = 1 << 20;

struct Keyword {
    RuleKind kind;
    QString word;
};
const Keyword kKeywords[] = {{RuleKind::Apart, QStringLiteral("不相邻")},
                             {RuleKind::Together, QStringLiteral("同桌")},
                             {RuleKind::Front, QStringLiteral("靠前")}};
const QString kFixed = QStringLiteral("固定");

QString keywordOf(RuleKind kind) {
    return std::find_if(std::begin(kKeywords), std::end(kKeywords),
                        [kind](const Keyword& k) { return k.kind == kind; })
        ->word;
}

bool isSeparator(QChar c) {
    return c == u'\t' || c == u',' || c == u'，' || c == u'、';
}

bool isPair(RuleKind kind) {
    return kind != RuleKind::Front;
}

// The fields of a line, as views into it: a file full of lines that are no
// rules is read without copying them.
using Fields = QVarLengthArray<QStringView, 4>;
Fields fieldsOf(QStringView line) {
    Fields fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i)
        if (i == line.size() || isSeparator(line[i])) {
            fields << line.sliced(start, i - start);
            start = i + 1;
        }
    return fields;
}

// Any Unicode white space, full-width blanks and line ends too: a rule box
// skips such a line, unlike the blank around a name (common/blank.h).
bool isBlankLine(QStringView line) {
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

QString quoted(QStringView name) {
    return QStringLiteral("「%1」").arg(name);
}

// The rule the names make, or why they make none.
QString ruleOf(RuleKind kind, std::span<const QStringView> names, std::vector<Rule>& rules) {
    const qsizetype wanted = isPair(kind) ? 2 : 1;
    if (qsizetype(names.size()) != wanted)
        return isPair(kind) ? QStringLiteral("要写两个名字，中间用 Tab、逗号或顿号隔开")
                            : QStringLiteral("只写一个名字");
    if (std::any_of(names.begin(), names.end(), [](QStringView n) { return n.isEmpty(); }))
        return QStringLiteral("名字是空的");
    if (wanted == 2 && names[0] == names[1])
        return QStringLiteral("两个名字相同");
    rules.push_back({kind, names[0].toString(), wanted == 2 ? names[1].toString() : QString()});
    return {};
}

std::vector<int> seatsOf(const QString& name, const SeatPlan& plan) {
    std::vector<int> seats;
    for (int seat = 0; seat < kSeats; ++seat)
        if (plan[seat] == name)
            seats.push_back(seat);
    return seats;
}

// The rules keep the order of the dialog's boxes, whatever order a file
// had, so that a file read and shown unchanged is no change.
void sortByKind(std::vector<Rule>& rules) {
    std::stable_sort(rules.begin(), rules.end(),
                     [](const Rule& a, const Rule& b) { return a.kind < b.kind; });
}

// A fixed seat's line: its column and row, counted from 1 as seen.
bool readFixed(std::span<const QStringView> fields, std::array<bool, kSeats>& fixed) {
    if (fields.size() != 2)
        return false;
    bool columnRead = false, rowRead = false;
    // Checked before counting from 0: the lowest int has no number below it.
    const int column = fields[0].toInt(&columnRead);
    const int row = fields[1].toInt(&rowRead);
    if (!columnRead || !rowRead || column < 1 || column > kColumns || row < 1 || row > kRows)
        return false;
    fixed[seatIndex(column - 1, row - 1)] = true;
    return true;
}

// "第3行「…」：why". Put together in one string: a file of garbage has a
// problem on every line.
QString problem(qsizetype number, QStringView line, const QString& why) {
    QString text;
    text.reserve(line.size() + why.size() + 16);
    text.append(u'第').append(QString::number(number)).append(u"行 「");
    return text.append(line).append(u"」：").append(why);
}

// Calls `take` with the number of each line that says something, counted
// from 1, and the line without a CR before its line feed.
template <typename Take> void forEachLine(QStringView text, Take take) {
    qsizetype number = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!isBlankLine(line))
            take(number, line);
    }
}
} // namespace

ReadRules readRuleBox(RuleKind kind, const QString& text) {
    ReadRules read;
    forEachLine(text, [&](qsizetype number, QStringView line) {
        if (const QString why = ruleOf(kind, fieldsOf(line), read.rules); !why.isEmpty())
            read.problems << keywordOf(kind) + QLatin1Char(' ') + problem(number, line, why);
    });
    return read;
}

QString ruleBoxText(RuleKind kind, const std::vector<Rule>& rules) {
    QStringList lines;
    for (const Rule& rule : rules)
        if (rule.kind == kind)
            lines << (isPair(kind) ? rule.first + QStringLiteral("、") + rule.second : rule.first);
    return lines.join(QLatin1Char('\n'));
}

QString ruleText(const Rule& rule) {
    QString text = keywordOf(rule.kind) + QStringLiteral("：") + rule.first;
    if (isPair(rule.kind))
        text += QStringLiteral("、") + rule.second;
    return text;
}

QString unusableReason(const Rule& rule, const SeatPlan& plan) {
    const QStringList names =
        isPair(rule.kind) ? QStringList{rule.first, rule.second} : QStringList{rule.first};
    for (const QString& name : names) {
        const auto seats = seatsOf(name, plan).size();
        if (seats > 1)
            return QStringLiteral("%1坐在 %2 个座位上").arg(quoted(name)).arg(seats);
        if (seats == 0 && seatsOf(name.trimmed(), plan).size() == 1)
            return QStringLiteral("%1不在任何座位上（名字前后多了空格？）").arg(quoted(name));
        if (seats == 0)
            return QStringLiteral("%1不在任何座位上").arg(quoted(name));
    }
    return {};
}

bool breaks(RuleKind kind, int first, int second, bool podiumBack) {
    const int columns = std::abs(columnOf(first) - columnOf(second));
    const int rows = std::abs(rowOf(first) - rowOf(second));
    switch (kind) {
    case RuleKind::Apart:
        return columns <= 1 && rows <= 1;
    case RuleKind::Together:
        return rows != 0 || columns != 1;
    case RuleKind::Front:
        return podiumBack ? rowOf(first) < kRows - 2 : rowOf(first) >= 2;
    }
    return false;
}

std::vector<int> brokenRules(const Classroom& room) {
    std::vector<int> broken;
    for (int i = 0; i < int(room.rules.size()); ++i) {
        const Rule& rule = room.rules[i];
        if (!unusableReason(rule, room.plan).isEmpty())
            continue;
        const int first = seatsOf(rule.first, room.plan).front();
        const int second = isPair(rule.kind) ? seatsOf(rule.second, room.plan).front() : first;
        if (breaks(rule.kind, first, second, room.podiumBack))
            broken.push_back(i);
    }
    return broken;
}

bool hasRules(const Classroom& room) {
    return !room.rules.empty() ||
           std::find(room.fixed.begin(), room.fixed.end(), true) != room.fixed.end();
}

QString rulesPathOf(const QString& planPath) {
    return planPath + QStringLiteral(".rules");
}

QByteArray rulesFileBytes(const Classroom& room) {
    QStringList lines;
    for (const Rule& rule : room.rules) {
        QStringList fields{keywordOf(rule.kind), rule.first};
        if (isPair(rule.kind))
            fields << rule.second;
        lines << fields.join(QLatin1Char('\t'));
    }
    for (int seat = 0; seat < kSeats; ++seat)
        if (room.fixed[seat])
            lines << QStringLiteral("%1\t%2\t%3")
                         .arg(kFixed)
                         .arg(columnOf(seat) + 1)
                         .arg(rowOf(seat) + 1);
    return common::ansiLines(lines);
}

// GBK's second bytes are never a line feed, so the whole file is decoded at
// once and then cut into lines.
ReadRules readRulesFile(QByteArrayView bytes) {
    ReadRules read;
    forEachLine(common::fromAnsi(bytes), [&](qsizetype number, QStringView line) {
        if (line.startsWith(u'#'))
            return;
        const Fields fields = fieldsOf(line);
        const QStringView keyword = fields[0];
        const std::span<const QStringView> names(fields.begin() + 1, fields.end());
        const auto known = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                                        [&](const Keyword& k) { return k.word == keyword; });
        QString why;
        if (keyword == kFixed)
            why = readFixed(names, read.fixed)
                      ? QString()
                      : QStringLiteral("固定座位要写列号和行号，列 1 到 5，行 1 到 7");
        else if (known == std::end(kKeywords))
            why = QStringLiteral("不认识这种规则");
        else
            why = ruleOf(known->kind, names, read.rules);
        if (!why.isEmpty())
            read.problems << problem(number, line, why);
    });
    sortByKind(read.rules);
    return read;
}

RulesBeside loadRulesBeside(const QString& planPath) {
    QFile file(rulesPathOf(planPath));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    if (bytes.size() > kLargestFile)
        return {{}, QStringLiteral("文件太大，不像规则文件")};
    return {readRulesFile(bytes), {}};
}

QString saveRulesBeside(const QString& planPath, const Classroom& room) {
    const QString path = rulesPathOf(planPath);
    if (hasRules(room))
        return common::writeFileSafely(path, rulesFileBytes(room));
    QFile stale(path);
    if (!QFileInfo::exists(path) || stale.remove())
        return {};
    return stale.errorString();
}

} // namespace quorlen
