#include "brasset/brassetwindow.h"

#include "brasset/examwindow.h"
#include "common/layout.h"
#include "common/pastedlist.h"
#include "common/printing.h"
#include "common/program.h"
#include "common/tabledocument.h"
#include "rooms/roomexport.h"
#include "rooms/rotate.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <limits>

namespace brasset {

using common::twipsRect;

namespace {
constexpr int kClientWidth = 17865;
constexpr int kClientHeight = 10065;

// Rooms stand in two columns of four, room 1 top left and room 2 beside it.
QRect roomFrameGeometry(int room) {
    return twipsRect(room % 2 == 0 ? 2640 : 10320, 2520 * (room / 2), 7455, 2415);
}

QPoint seatPosition(int seat) {
    const int column = seat / kRoomSide;
    const int row = seat % kRoomSide;
    return {common::px(240 + 1200 * column), common::px(240 + 360 * row)};
}
} // namespace

BrassetWindow::BrassetWindow(common::Desktop& desktop, QWidget* parent)
    : QWidget(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(common::px(kClientWidth), common::px(kClientHeight));
    createInputColumn();
    createRooms();
    resetRooms();
    connect(common::addWindowAction(this, "print", QStringLiteral("打印…"),
                                    {QKeySequence(Qt::CTRL | Qt::Key_P)}),
            &QAction::triggered, this, &BrassetWindow::printRooms);
    // The window's shortcuts come before the text boxes' own keys: on Linux
    // Ctrl+E is also a text box's "end of line", and the focus is always in one.
    m_pastedList->installEventFilter(this);
    m_personsPerRoom->installEventFilter(this);
    connect(common::addWindowAction(this, "examWindow", QStringLiteral("考务编排…"),
                                    {QKeySequence(Qt::CTRL | Qt::Key_E)}),
            &QAction::triggered, this, [this] { openExamWindow(); });
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void BrassetWindow::createInputColumn() {
    using common::placed;
    // The desktop's font may be wider than the one the column's sizes allow
    // for; a label then takes the room it needs rather than being cut.
    const auto label = [this](const char* name, const QString& text, const QRect& geometry) {
        auto* label = placed<QLabel>(name, geometry, text, this);
        label->resize(label->size().expandedTo(label->sizeHint()));
    };
    label("Label1", QStringLiteral("每考场人数："), twipsRect(120, 135, 1215, 255));
    m_personsPerRoom =
        placed<QLineEdit>("Text2", twipsRect(1320, 120, 375, 270), QStringLiteral("32"), this);
    label("Label3", QStringLiteral("20-36"), twipsRect(1800, 135, 495, 255));
    m_horizontalButton = placed<QRadioButton>("Option1", twipsRect(120, 615, 855, 255),
                                              QStringLiteral("横排"), this);
    m_horizontalButton->setChecked(true);
    placed<QRadioButton>("Option2", twipsRect(1320, 615, 855, 255), QStringLiteral("竖排"), this);
    label("Label2", QStringLiteral("考生姓名粘贴到这里："), twipsRect(120, 1095, 2175, 255));
    m_pastedList = placed<QPlainTextEdit>("Text1", twipsRect(120, 1455, 2295, 7335), this);
    m_pastedList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pastedList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Names are pasted, not typed with tabs; the Tab key moves on to the
    // buttons as in the other boxes.
    m_pastedList->setTabChangesFocus(true);

    const auto command = [this](const char* name, const QString& caption, int left, int top,
                                void (BrassetWindow::*handler)()) {
        auto* button = placed<QPushButton>(name, twipsRect(left, top, 1095, 495), caption, this);
        connect(button, &QPushButton::clicked, this, handler);
    };
    command("Command1", QStringLiteral("编排"), 120, 8895, &BrassetWindow::arrangeRooms);
    command("Command3", QStringLiteral("旋转"), 1320, 8895, &BrassetWindow::rotateRooms);
    command("Command2", QStringLiteral("导出"), 120, 9495, &BrassetWindow::exportRooms);
    // The only window: closing it ends the program, with nothing to ask.
    command("Command4", QStringLiteral("退出"), 1320, 9495, &BrassetWindow::closeWindow);
}

void BrassetWindow::createRooms() {
    // 288 names must fit their seats: the small Songti the rooms' seats are
    // sized for. Every other control keeps the desktop's font.
    const QFont seatFont = common::songtiFont(9);
    for (int room = 0; room < kRooms; ++room) {
        auto* frame = common::placed<QGroupBox>(QStringLiteral("Frame1_%1").arg(room),
                                                roomFrameGeometry(room), roomTitle(room), this);
        m_roomFrames[room] = frame;
        for (int seat = 0; seat < kRoomSeats; ++seat) {
            const int index = buttonIndex(room, seat);
            auto* button = common::placed<common::CaptionButton>(
                QStringLiteral("student_%1").arg(index),
                QRect(seatPosition(seat), twipsRect(0, 0, 1095, 255).size()), frame);
            button->setFont(seatFont);
            // Seats only show names; a click does nothing, so the keyboard
            // does not stop on them either.
            button->setFocusPolicy(Qt::NoFocus);
            m_seatButtons[index] = button;
        }
    }
}

void BrassetWindow::render() {
    for (int index = 0; index < kSeats; ++index)
        m_seatButtons[index]->setCaption(m_rooms.captions[index]);
    for (int room = 0; room < kRooms; ++room)
        m_roomFrames[room]->setVisible(m_rooms.visible[room]);
}

bool BrassetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : actions())
            if (action->shortcuts().contains(pressed)) {
                event->ignore(); // not the box's: the window's action takes it
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void BrassetWindow::resetRooms() {
    setRoomPlan(RoomPlan{});
}

void BrassetWindow::setRoomPlan(const RoomPlan& plan) {
    m_rooms = plan;
    render();
}

Direction BrassetWindow::direction() const {
    return m_horizontalButton->isChecked() ? Direction::Horizontal : Direction::Vertical;
}

// Every arrangement starts from empty rooms, so nothing of an earlier one or
// of a turn survives it.
void BrassetWindow::arrangeRooms() {
    // More names than there are seats fill all eight rooms, so the count
    // of a longer list need not be exact.
    const common::PastedList names = common::boxLines(*m_pastedList->document(), kNamesUsed);
    const double persons = personsPerRoom(m_personsPerRoom->text());
    setRoomPlan(brasset::arrangeRooms(names, persons, direction()));
    // The count stops one past the entries kept: a longer list is read
    // whole only to tell who is left without a seat.
    if (names.count > seatsHandedOut(names.count, persons))
        offerExamWindow(persons);
}

void BrassetWindow::offerExamWindow(double persons) {
    const common::PastedList all =
        common::boxLines(*m_pastedList->document(), std::numeric_limits<qsizetype>::max());
    const auto seated = std::size_t(seatsHandedOut(all.count, persons));
    // A final line break or empty lines past the last room leave nobody out.
    const auto unseated = std::count_if(
        all.entries.begin() + qsizetype(std::min(seated, all.entries.size())), all.entries.end(),
        [](const QString& name) { return !name.trimmed().isEmpty(); });
    if (unseated == 0)
        return;
    if (m_desktop.askYesNo(
            this,
            QStringLiteral("有 %1 个名字没有座位：本窗口最多 %2 个考场。是否打开“考务编排”，"
                           "把全部考生编入需要的考场？")
                .arg(unseated)
                .arg(kRooms),
            QStringLiteral("编排")))
        openExamWindow(all.entries);
}

ExamWindow* BrassetWindow::openExamWindow(const std::optional<std::vector<QString>>& names) {
    if (!m_examWindow)
        m_examWindow = new ExamWindow(m_desktop, this);
    if (names)
        m_examWindow->takeNames(*names);
    m_examWindow->show();
    m_examWindow->raise();
    m_examWindow->activateWindow();
    return m_examWindow;
}

void BrassetWindow::rotateRooms() {
    setRoomPlan(brasset::rotateRooms(m_rooms));
}

void BrassetWindow::exportRooms() {
    common::exportTableDocument(m_desktop, m_exportDialog, this, roomExportBytes(m_rooms),
                                {QStringLiteral("考场表没有导出；同名的旧文件如果存在，保持不变。"),
                                 QStringLiteral("导出失败")});
}

void BrassetWindow::printRooms() {
    m_desktop.printPreview(this, [this](QPrinter& printer) { print(printer); });
}

void BrassetWindow::print(QPrinter& printer) const {
    std::vector<common::PrintedGrid> rooms;
    for (int room = 0; room < kRooms; ++room) {
        if (!m_rooms.visible[room])
            continue;
        common::PrintedGrid grid{roomTitle(room), kRoomSide, {}, {}, {}};
        for (int row = 0; row < kRoomSide; ++row)
            for (int column = 0; column < kRoomSide; ++column)
                grid.seats << m_rooms.captions[buttonIndex(room, roomSeat(column, row))];
        rooms.push_back(grid);
    }
    common::printGrids(printer, rooms, m_seatButtons[0]->font());
}

} // namespace brasset
