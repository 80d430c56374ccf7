#pragma once
// The undo history of the classroom: the plan and the podium side after each
// change, from the plan as it stood at start. Undo and redo step through it;
// a change after an undo drops the steps that could have been redone.

#include "seatplan.h"

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
