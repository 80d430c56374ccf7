#pragma once
// The rules of a classroom: how they are typed in the random seating's
// dialog, whether a plan keeps them, and the rules file that travels beside
// a plan file (NAME.rules beside NAME). A rules file is GBK with CR LF, one
// rule a line, fields separated by a tab:
//
//   不相邻<TAB>张三<TAB>李四      apart
//   同桌<TAB>王五<TAB>赵六        together
//   靠前<TAB>孙七                 front
//   固定<TAB>2<TAB>3              the seat in column 2, row 3 is fixed
//
// Columns count from 1 at the left, rows from 1 at the top, as the seats
// stand on screen. A comma ("," or "，") or "、" separates fields as a tab
// does, lines may end in a line feed alone, and lines that are blank or
// start with "#" say nothing. So no name in a rule holds a tab, a comma or
// "、".

#include "seating/seatplan.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace quorlen {

// The rules read from text, and a sentence for every line that is no rule.
struct ReadRules {
    std::vector<Rule> rules;
    std::array<bool, kSeats> fixed{};
    QStringList problems;
};

// One box of the dialog, one rule a line: two names for apart and together,
// separated by a tab, a comma ("," or "，") or "、"; one name for front. Names
// are taken exactly as typed; empty lines are skipped.
ReadRules readRuleBox(RuleKind kind, const QString& text);
// The rules of that kind as the box shows them, a pair joined by "、".
QString ruleBoxText(RuleKind kind, const std::vector<Rule>& rules);

// "不相邻：张三、李四", as the dialog lists a rule.
QString ruleText(const Rule& rule);
// Why the rule cannot be kept with this plan (a name on no seat, or on two),
// or an empty string.
QString unusableReason(const Rule& rule, const SeatPlan& plan);
// Whether names on these seats break the rule.
bool breaks(RuleKind kind, int first, int second, bool podiumBack);
// The rules the classroom breaks, by index; unusable rules are not counted.
std::vector<int> brokenRules(const Classroom& room);

bool hasRules(const Classroom& room);
QString rulesPathOf(const QString& planPath);
// The rules file of the classroom: its rules in order, then its fixed seats.
QByteArray rulesFileBytes(const Classroom& room);
// Any bytes: what is a rule is read, every other line is told.
ReadRules readRulesFile(QByteArrayView bytes);

// The rules file beside a plan: read when it is there (nothing when it is
// not), or why it could not be read.
struct RulesBeside {
    ReadRules read;
    QString error;
};
RulesBeside loadRulesBeside(const QString& planPath);
// Writes the classroom's rules beside the plan, or removes a rules file left
// there when it has none. Returns the platform's reason on failure.
QString saveRulesBeside(const QString& planPath, const Classroom& room);

} // namespace quorlen
