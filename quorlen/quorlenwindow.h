#pragma once
// Quorlen's main window: the classroom of 35 seats, the podium, the command
// buttons, the exam panel and the status bar. The window owns one classroom
// value; every handler computes the next one with the plan logic, records it
// for undo and renders it. Nothing is ever read back from a widget.

#include "common/captionbutton.h"
#include "common/desktop.h"
#include "seating/history.h"
#include "seating/patterns.h"
#include "seating/rules.h"
#include "seating/seatplan.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;

namespace quorlen {

class ReseatDialog;

class QuorlenWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit QuorlenWindow(common::Desktop& desktop, QWidget* parent = nullptr);

    const Classroom& classroom() const { return m_classroom; }
    // Puts a whole plan in, the podium where it is: one undo step.
    void setSeatPlan(const SeatPlan& plan);
    // The classroom as it stands, on the printer's pages.
    void print(QPrinter& printer) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createExamPanel();
    void createStatusBar();
    void createActions();
    void loadSavedPlan();
    // The one place where the classroom reaches the widgets.
    void render();
    // Every change to the classroom ends here: it is recorded as one undo
    // step and shown.
    void change(const Classroom& next);

    // The handlers, one for each button, seat, key or panel.
    void clickSeat(int seat);
    void exchangeSeats(int from, int to);
    void movePlan(SeatPlan (*move)(const SeatPlan&));
    void togglePodium();
    void savePlan();
    void savePlanAs();
    bool writePlan(const QString& path);
    void openPlan();
    void tellRules(const QString& planPath, const RulesBeside& rules);
    void openReseat();
    void runReseat();
    void keepRules();
    void toggleFixed(int seat);
    void fixFocusedSeat();
    void exportPlan();
    void showExamPanel();
    void hideExamPanel();
    void arrange(const SeatingPattern& pattern);
    void undo();
    void redo();
    void restore(const std::optional<Classroom>& state);
    void printPlan();
    void showAbout();

    int seatOf(const QObject* widget) const; // -1 for anything but a seat
    int seatAt(QPoint globalPosition) const;
    bool dragEvent(int seat, QEvent* event);

    common::Desktop& m_desktop;
    // "打开" and "另存为" share it, so each offers the name the other chose.
    common::CommonDialog m_fileDialog;

    // The model: the classroom, the first click of a two-click swap, and
    // whether the exam panel lies over the classroom.
    Classroom m_classroom;
    std::optional<int> m_pending;
    bool m_examPanelShown = false;
    History m_history{Classroom{}};

    // The widgets the handlers reach. Tests, layout.tsv and accessibility
    // tools know them by their object names, given here after each.
    std::array<common::CaptionButton*, kSeats> m_seatButtons{}; // Command1_0 .. Command1_34
    QPushButton* m_examPanelButton = nullptr;                   // Command9, "Brasset"
    QLineEdit* m_podiumFront = nullptr;                         // Text1
    QLineEdit* m_podiumBack = nullptr;                          // Text2
    QGroupBox* m_examPanel = nullptr;                           // Frame1
    QLabel* m_instructions = nullptr;                           // Label1
    QPlainTextEdit* m_pastedList = nullptr;                     // Text3
    std::array<QLabel*, 3> m_statusPanels{};                    // StatusBar1_1 .. StatusBar1_3

    // A seat dragged onto another: where it started, once the pointer has
    // moved far enough to be a drag, and the seat marked under the pointer.
    int m_dragFrom = -1;
    QPoint m_pressedAt;
    bool m_dragging = false;
    int m_dropOn = -1;
    // What went wrong reading "default.txt" and its rules at start; told
    // once the window is on screen.
    std::vector<std::function<void()>> m_startupReports;
    // The name the plan was last opened from or saved as, offered by
    // "保存座位表为…"; and the title of the last printout.
    QString m_planFileName = QStringLiteral("座位表.txt");
    QString m_printTitle;
    ReseatDialog* m_reseat = nullptr;
    bool m_shown = false;
};

} // namespace quorlen
