#pragma once
// The dialog of the random seating: the seed, which can be typed to get a
// seating again, the rules in three boxes, and a list of what cannot be kept
// and, after a run, of the rules the new plan breaks. It stays open after a
// run, so that another seed can be tried.

#include "seating/seatplan.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quorlen {

class ReseatDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReseatDialog(QWidget* parent);

    // Shows the classroom's rules and a fresh seed.
    void start(const Classroom& room);
    // The rules as typed; lines that are no rule are left out.
    std::vector<Rule> rules() const;
    std::uint32_t seed() const;
    // After a run: the rules the new plan breaks.
    void showResult(const Classroom& room, const std::vector<int>& broken);

signals:
    void runRequested();

private:
    void check();
    void edited();

    SeatPlan m_plan;
    QStringList m_result;
    QLineEdit* m_seed = nullptr;
    std::array<QPlainTextEdit*, 3> m_boxes{};
    QLabel* m_fixed = nullptr;
    QListWidget* m_notes = nullptr;
    QPushButton* m_run = nullptr;
};

} // namespace quorlen
