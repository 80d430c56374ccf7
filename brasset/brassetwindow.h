#pragma once
// Brasset's only window: the input column on the left and the eight exam
// rooms of 6 x 6 seats. The window owns one value, the rooms: which are in
// use and who sits where. A handler computes the next value with the room
// logic and renders it; nothing is read back from the seats or frames.

#include "common/captionbutton.h"
#include "common/desktop.h"
#include "rooms/distribute.h"
#include "rooms/roomplan.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QRadioButton;

namespace brasset {

class ExamWindow;

class BrassetWindow : public QWidget {
    Q_OBJECT
public:
    explicit BrassetWindow(common::Desktop& desktop, QWidget* parent = nullptr);

    const RoomPlan& roomPlan() const { return m_rooms; }
    void setRoomPlan(const RoomPlan& plan);

    // No room in use, every seat empty.
    void resetRooms();
    // "编排": the pasted names over the rooms, each room turned round.
    void arrangeRooms();
    // "旋转": every room in use turned by 180 degrees.
    void rotateRooms();
    // "导出": the rooms in use written to a table document.
    void exportRooms();
    // Ctrl+P: every room in use on a page of its own, through the preview.
    void printRooms();
    void print(QPrinter& printer) const;
    // Ctrl+E: the 考务编排 window, one of it, brought to the front; with
    // names, they become its candidates.
    ExamWindow* openExamWindow(const std::optional<std::vector<QString>>& names = std::nullopt);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createInputColumn();
    void createRooms();
    void closeWindow() { close(); }
    Direction direction() const;
    // The one place where the rooms reach the widgets.
    void render();
    // After 编排: names of the pasted list past the seats handed out are
    // told, and the 考务编排 window offered to seat them all.
    void offerExamWindow(double persons);

    common::Desktop& m_desktop;
    common::CommonDialog m_exportDialog;
    RoomPlan m_rooms;
    QPointer<ExamWindow> m_examWindow;

    // The widgets the handlers reach. Tests, layout.tsv and accessibility
    // tools know them by their object names, given here after each.
    QLineEdit* m_personsPerRoom = nullptr;                      // Text2, 每考场人数
    QPlainTextEdit* m_pastedList = nullptr;                     // Text1
    QRadioButton* m_horizontalButton = nullptr;                 // Option1, 横排
    std::array<QGroupBox*, kRooms> m_roomFrames{};              // Frame1_0 .. Frame1_7
    std::array<common::CaptionButton*, kSeats> m_seatButtons{}; // student_0 .. student_287
};

} // namespace brasset
