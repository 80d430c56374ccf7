#include "seating/history.h"

namespace quorlen {

void History::record(const Classroom& now) {
    if (now == m_states[m_current])
        return;
    m_states.resize(m_current + 1);
    m_states.push_back(now);
    if (m_states.size() > kSteps + 1)
        m_states.pop_front();
    m_current = m_states.size() - 1;
}

std::optional<Classroom> History::undo() {
    if (m_current == 0)
        return std::nullopt;
    return m_states[--m_current];
}

std::optional<Classroom> History::redo() {
    if (m_current + 1 == m_states.size())
        return std::nullopt;
    return m_states[++m_current];
}

} // namespace quorlen
