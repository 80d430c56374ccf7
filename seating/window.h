#pragma once
// Quorlen's main window: the classroom of 35 seats, the podium, the command
// buttons and the status bar. The seat plan lives in the seat captions and
// the podium side in which podium box is shown; the window reads them,
// hands them to the plan logic and writes the result back.

#include "desktop.h"
#include "seatplan.h"
#include "widgets.h"

#include <QMainWindow>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;

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
    void togglePodium();
    void savePlan();
    void openPlan();
    void exportPlan();
    void panelDoubleClicked(int panel);
    void showAbout();

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
    std::array<QLabel*, 3> StatusBar1{};

    // The pending first click of a two-click swap.
    bool m_pending = false;
    int m_selected = 0;
    QString m_fileName;
    // Set when "default.txt" could not be read at start; told once the
    // window is on screen.
    QString m_startupError;
    bool m_shown = false;
};

} // namespace quorlen
