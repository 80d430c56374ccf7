#pragma once
// Brasset's only window: the input column on the left and the eight exam
// rooms of 6 x 6 seats. Which rooms are in use is whether their frames are
// shown, and the plan is the seat captions; the handlers read them, hand them
// to the room logic and write the result back.

#include "arrange.h"
#include "desktop.h"
#include "roomplan.h"
#include "widgets.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace brasset {

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(common::Desktop& desktop, QWidget* parent = nullptr);

    RoomPlan roomPlan() const;
    void setRoomPlan(const RoomPlan& plan);

    // Titles, hides and empties all eight rooms and puts every seat back in
    // its place.
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
    QLabel* label(const char* name, const QString& text, const QRect& geometry);
    QPushButton* commandButton(const char* name, const QString& caption, int left, int top);
    Direction direction() const;
    void reportExportError(const QString& path, const QString& error);

    common::Desktop& m_desktop;
    common::CommonDialog cd1;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    std::array<QGroupBox*, kRooms> Frame1{};
    std::array<common::CaptionButton*, kSeats> student{};
};

} // namespace brasset
