#pragma once
// Brasset's only window: the input column on the left and the eight exam
// rooms of 6 x 6 seats. The window owns one value, the rooms: which are in
// use and who sits where. A handler computes the next value with the room
// logic and renders it; nothing is read back from the seats or frames.

#include "arrange.h"
#include "captionbutton.h"
#include "desktop.h"
#include "roomplan.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QRadioButton;

namespace brasset {

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(common::Desktop& desktop, QWidget* parent = nullptr);

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

private:
    void createInputColumn();
    void createRooms();
    void closeWindow() { close(); }
    Direction direction() const;
    // The one place where the rooms reach the widgets.
    void render();

    common::Desktop& m_desktop;
    common::CommonDialog cd1;
    RoomPlan m_rooms;

    QLineEdit* Text2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QRadioButton* Option1 = nullptr;
    std::array<QGroupBox*, kRooms> Frame1{};
    std::array<common::CaptionButton*, kSeats> student{};
};

} // namespace brasset
