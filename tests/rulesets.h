#pragma once
// Random classrooms with rules, for the random seating's invariants and its
// benchmark: names on most seats (now and then one twice), some seats fixed,
// the podium at either end, and up to 20 rules of every kind, some naming a
// pupil who is not there. When `keepable`, every rule holds in a hidden
// seating of the same names, so a plan breaking none exists.

#include "seating/rules.h"

#include <random>

inline quorlen::Classroom randomClassroom(std::mt19937& random, bool keepable) {
    using namespace quorlen;
    const auto chance = [&](int in) { return random() % in == 0; };
    Classroom room;
    for (int seat = 0; seat < kSeats; ++seat) {
        if (!chance(5))
            room.plan[seat] = QString::fromUtf8("生%1").arg(chance(30) ? 0 : seat);
        room.fixed[seat] = chance(8);
    }
    room.podiumBack = chance(2);
    Classroom hidden = room;
    for (int seat = kSeats - 1; seat > 0; --seat) { // Fisher and Yates, over movable names
        const int other = int(random() % (seat + 1));
        if (!room.fixed[seat] && !room.fixed[other] && !room.plan[seat].isEmpty() &&
            !room.plan[other].isEmpty())
            std::swap(hidden.plan[seat], hidden.plan[other]);
    }
    const auto name = [&] {
        return chance(15) ? QString::fromUtf8("缺席") : room.plan[random() % kSeats];
    };
    const int wanted = int(random() % 21);
    for (int tries = 0; int(room.rules.size()) < wanted && tries < 200; ++tries) {
        Rule rule{RuleKind(random() % 3), name(), name()};
        if (rule.kind == RuleKind::Front)
            rule.second.clear();
        if (rule.first.isEmpty() || rule.first == rule.second ||
            (rule.kind != RuleKind::Front && rule.second.isEmpty()))
            continue;
        hidden.rules = {rule};
        if (!keepable || brokenRules(hidden).empty())
            room.rules.push_back(rule);
    }
    return room;
}
