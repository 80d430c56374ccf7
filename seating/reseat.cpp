#include "seating/reseat.h"

#include "common/draw.h"
#include "seating/rules.h"

#include <algorithm>
#include <random>

namespace quorlen {

namespace {
// The search's length: rounds from a fresh random seating, each of a number
// of swaps. Set so that the hardest of 10,000 generated rule sets of up to
// 20 rules takes well under 50 ms on a slow machine (bench/bench_reseat).
constexpr int kRounds = 16;
constexpr int kSwapsPerRound = 2000;
// How often a swap that breaks one more rule is taken anyway, to get out of
// a corner: one in this many.
constexpr std::uint32_t kUphill = 12;

// Quorlen's draws throw away the highest numbers (draw.h): every seed handed
// out gives the seating it gave.
using common::Draw;

// A rule as the search sees it: each end is a name that moves (a token,
// 0 and up) or a fixed seat (-1 - seat).
struct Constraint {
    RuleKind kind;
    int ends[2];
};

class Search {
public:
    Search(const Classroom& room, std::uint32_t seed) : m_room(room), m_draw(seed) {
        for (int seat = 0; seat < kSeats; ++seat)
            if (!room.fixed[seat] && !room.plan[seat].isEmpty()) {
                m_seats.push_back(seat);
                m_names.push_back(room.plan[seat]);
            }
        std::sort(m_names.begin(), m_names.end());
        m_rulesOf.resize(m_names.size());
        for (const Rule& rule : room.rules)
            addConstraint(rule);
    }

    SeatPlan run() {
        std::vector<int> best;
        int fewest = -1;
        for (int round = 0; round < kRounds && fewest != 0; ++round) {
            shuffle();
            int now = countBroken();
            for (int swap = 0; swap < kSwapsPerRound && now > 0; ++swap) {
                if (fewest < 0 || now < fewest)
                    fewest = now, best = m_seatOf;
                now += trySwap();
            }
            if (fewest < 0 || now < fewest)
                fewest = now, best = m_seatOf;
        }
        SeatPlan plan = m_room.plan;
        for (size_t name = 0; name < m_names.size(); ++name)
            plan[best[name]] = m_names[name];
        return plan;
    }

private:
    void addConstraint(const Rule& rule) {
        if (!unusableReason(rule, m_room.plan).isEmpty())
            return;
        Constraint constraint{rule.kind, {endOf(rule.first), endOf(rule.second)}};
        if (rule.kind == RuleKind::Front)
            constraint.ends[1] = constraint.ends[0];
        if (constraint.ends[0] < 0 && constraint.ends[1] < 0)
            return; // nothing the search can change
        const int index = int(m_constraints.size());
        m_constraints.push_back(constraint);
        for (const int end : constraint.ends)
            if (end >= 0 && (m_rulesOf[end].empty() || m_rulesOf[end].back() != index))
                m_rulesOf[end].push_back(index);
    }

    int endOf(const QString& name) const {
        const auto seat = std::find(m_room.plan.begin(), m_room.plan.end(), name);
        if (seat == m_room.plan.end() || m_room.fixed[seat - m_room.plan.begin()])
            return -1 - int(seat - m_room.plan.begin());
        return int(std::lower_bound(m_names.begin(), m_names.end(), name) - m_names.begin());
    }

    int seatOf(int end) const { return end >= 0 ? m_seatOf[end] : -1 - end; }

    bool broken(const Constraint& c) const {
        return breaks(c.kind, seatOf(c.ends[0]), seatOf(c.ends[1]), m_room.podiumBack);
    }

    int countBroken() const {
        return int(std::count_if(m_constraints.begin(), m_constraints.end(),
                                 [this](const Constraint& c) { return broken(c); }));
    }

    // Every name on a seat drawn at random (Fisher and Yates).
    void shuffle() {
        m_seatOf = m_seats;
        m_draw.shuffle(m_seatOf);
    }

    // The broken rules of the two names, each counted once.
    int brokenAround(int a, int b) const {
        const auto brokenOf = [this](const std::vector<int>& indices, int other) {
            return std::count_if(indices.begin(), indices.end(), [&](int index) {
                const Constraint& c = m_constraints[index];
                return c.ends[0] != other && c.ends[1] != other && broken(c);
            });
        };
        constexpr int kNoEnd = -kSeats - 1; // neither a name nor a seat
        return int(brokenOf(m_rulesOf[a], kNoEnd) + brokenOf(m_rulesOf[b], a));
    }

    // Swaps a name of a broken rule with another name, and keeps the swap
    // unless it breaks more rules (now and then it keeps that too). Returns
    // the change in the number of broken rules.
    int trySwap() {
        if (m_names.size() < 2)
            return 0;
        const int start = m_draw.below(int(m_constraints.size()));
        int index = start;
        while (!broken(m_constraints[index]))
            index = (index + 1) % int(m_constraints.size());
        const Constraint& c = m_constraints[index];
        const int a =
            c.ends[0] >= 0 && (c.ends[1] < 0 || m_draw.below(2) == 0) ? c.ends[0] : c.ends[1];
        int b = m_draw.below(int(m_names.size()) - 1);
        b += b >= a;
        const int before = brokenAround(a, b);
        std::swap(m_seatOf[a], m_seatOf[b]);
        const int change = brokenAround(a, b) - before;
        if (change <= 0 || (change == 1 && m_draw.below(kUphill) == 0))
            return change;
        std::swap(m_seatOf[a], m_seatOf[b]);
        return 0;
    }

    const Classroom& m_room;
    Draw m_draw;
    std::vector<int> m_seats;     // the seats the names move among
    std::vector<QString> m_names; // sorted; name i is token i
    std::vector<int> m_seatOf;    // token to seat
    std::vector<Constraint> m_constraints;
    std::vector<std::vector<int>> m_rulesOf; // token to its constraints
};
} // namespace

Reseating reseat(const Classroom& room, std::uint32_t seed) {
    Classroom after = room;
    after.plan = Search(room, seed).run();
    return {after.plan, brokenRules(after)};
}

} // namespace quorlen
