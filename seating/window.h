#pragma once
// Quorlen's main window: the classroom of 35 seats, the podium, the command
// buttons and the status bar. The seat plan lives in the seat captions and
// the podium side in which podium box is shown; the window reads them,
// hands them to the plan logic and writes the result back.

#include "desktop.h"
#include "history.h"
#include "patterns.h"
#include "seatplan.h"
#include "widgets.h"

#include <QMainWindow>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;

namespace quorlen {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(common::Desktop& desktop, QWidget* parent = nullptr);

    SeatPlan seatPlan() const;
    void setSeatPlan(const SeatPlan& plan);
    // The podium is at the back exactly when the front box is hidden.
    bool podiumBack() const;
    QString currentFileName() const { return m_fileName; }
    bool selectionPending() const { return m_pending; }
    int selectedSeat() const { return m_selected; }

    // The window's own actions, each the handler of one button.
    void swapSeat(int seat);
    // Two seats' captions exchanged, as a swap or a drag does: one undo step.
    void exchangeSeats(int from, int to);
    void togglePodium();
    void savePlan();
    void openPlan();
    void exportPlan();
    void panelDoubleClicked(int panel);
    void showAbout();

    // Whole-plan moves, each the handler of its button. The pending
    // selection keeps its seat index, so the next click swaps with whatever
    // caption has moved onto that seat. Rotate also moves the podium.
    void rotate();
    void flipUpDown();
    void flipLeftRight();
    void shiftLeft();
    void shiftRight();
    void shiftUp();
    void shiftDown();

    // The exam panel: shown over the classroom by "Brasset", hidden by
    // "返回" with the pasted list kept, or by a pattern, which replaces the
    // whole plan with the list laid out in its order and empties the list.
    void showExamPanel();
    void hideExamPanel();
    void arrange(const SeatingPattern& pattern);

    // Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z): a change to the plan or the
    // podium taken back or done again. Either ends a pending first click.
    void undo();
    void redo();
    // Ctrl+P: the classroom as it stands, on A4, through the print preview.
    void printPlan();
    void print(QPrinter& printer) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    QPushButton* commandButton(const char* name, const QString& caption, int left, int top);
    void createStatusBar();
    void load();
    void startupLoad();
    void reportFileError(const QString& what, const QString& fileName, const QString& error);
    void createExamPanel();
    void connectPlanMoves();
    void movePlan(SeatPlan (*move)(const SeatPlan&));
    void createActions();
    Classroom classroom() const { return {seatPlan(), podiumBack()}; }
    void restore(const Classroom& state);
    // Each change to the plan or the podium ends with this: one undo step.
    void changed() { m_history.record(classroom()); }
    int seatOf(const QObject* widget) const; // -1 for anything but a seat
    int seatAt(QPoint globalPosition) const;
    bool dragEvent(int seat, QEvent* event);

    common::Desktop& m_desktop;
    common::CommonDialog Cd1;

    std::array<common::CaptionButton*, kSeats> Command1{};
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command19 = nullptr;
    QPushButton* Command20 = nullptr;
    QPushButton* Command21 = nullptr;
    QPushButton* Command22 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QFrame* Line1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    // Command14, Command13, Command15, Command16, Command10, Command12,
    // Command18 and Command17, in the order of patternButtons().
    std::array<QPushButton*, 8> m_patternButtons{};
    QPushButton* Command11 = nullptr;
    std::array<QLabel*, 3> StatusBar1{};

    // The pending first click of a two-click swap.
    bool m_pending = false;
    int m_selected = 0;
    // A seat dragged onto another: where it started, once the pointer has
    // moved far enough to be a drag, and the seat marked under the pointer.
    int m_dragFrom = -1;
    QPoint m_pressedAt;
    bool m_dragging = false;
    int m_dropOn = -1;
    History m_history{Classroom{}};
    QString m_fileName;
    // The seat snapshot, (column, row) in seat-index order: every whole-plan
    // move reads all 35 captions into it before writing any back.
    SeatPlan m_snapshot;
    // Set when "default.txt" could not be read at start; told once the
    // window is on screen.
    QString m_startupError;
    bool m_shown = false;
};

} // namespace quorlen
