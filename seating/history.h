#pragma once
// The undo history: the whole Classroom value (seat plan, podium side, fixed
// seats and rules) after each change, from the classroom as it stood at
// start, so an undo takes back a fixed mark or a rule as well as a move.
// Undo and redo step through it; a change after an undo drops the steps that
// could have been redone.

#include "seating/seatplan.h"

#include <deque>
#include <optional>

namespace quorlen {

class History {
public:
    // How many changes can be undone, at least.
    static constexpr int kSteps = 100;

    explicit History(Classroom start) : m_states{std::move(start)} {}

    // Records the classroom after a change; the same classroom again is no
    // change and records nothing.
    void record(const Classroom& now);
    // The classroom one change back or forward, or nothing at either end.
    std::optional<Classroom> undo();
    std::optional<Classroom> redo();

private:
    std::deque<Classroom> m_states;
    size_t m_current = 0;
};

} // namespace quorlen
