// What the 考务编排 window shows of its exam, and the dialog that tells the
// columns of a list without a header apart.

#include "brasset/examwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brasset {

// A room's seats; none for a room the seating has no seats for.
const std::vector<int>& ExamWindow::seatsOf(int room) const {
    static const std::vector<int> none;
    const auto& seats = m_exam.seating.seats;
    return room >= 0 && std::size_t(room) < seats.size() ? seats[std::size_t(room)] : none;
}

void ExamWindow::render() {
    m_rendering = true;
    renderSettings();
    const auto& rooms = m_exam.seating.rooms;
    m_room = rooms.empty() ? 0 : std::clamp(m_room, 0, int(rooms.size()) - 1);
    m_roomList->clear();
    for (int room = 0; room < int(rooms.size()); ++room) {
        const auto& seats = seatsOf(room);
        m_roomList->addItem(
            QStringLiteral("%1 (%2)")
                .arg(exams::roomTitle(m_exam.seating, room))
                .arg(std::count_if(seats.begin(), seats.end(), [](int who) { return who >= 0; })));
    }
    m_roomList->setCurrentRow(rooms.empty() ? -1 : m_room);
    renderRoom();
    m_summaryLabel->setText(m_summary.isEmpty()
                                ? QStringLiteral("打开名单（Ctrl+O）或粘贴名单（Ctrl+Shift+V），"
                                                 "再按“编排”（F5）。")
                                : m_summary);
    renderSelection();
    m_messagesPane->setPlainText(m_messages.join(QLatin1Char('\n')));
    setWindowTitle((m_examPath.isEmpty()
                        ? QString()
                        : QFileInfo(m_examPath).fileName() + QStringLiteral(" - ")) +
                   QStringLiteral("考务编排") + (m_unsaved ? QStringLiteral(" *") : QString()));
    m_rendering = false;
}

void ExamWindow::renderSelection() {
    QStringList chosen;
    const auto& candidates = m_exam.list.candidates;
    for (const Selected& s : m_selected) {
        // A seat the exam does not have is not shown, as selectedCandidates()
        // does not count it.
        const auto& seats = seatsOf(s.room);
        if (s.seat < 0 || std::size_t(s.seat) >= seats.size())
            continue;
        const int who = seats[std::size_t(s.seat)];
        chosen << QStringLiteral("%1 %2号 %3")
                      .arg(exams::roomTitle(s.room))
                      .arg(s.seat + 1)
                      .arg(who >= 0 && std::size_t(who) < candidates.size()
                               ? candidates[std::size_t(who)].name
                               : QStringLiteral("（空）"));
    }
    m_selectionLabel->setText(chosen.isEmpty()
                                  ? QString()
                                  : QStringLiteral("已选：") + chosen.join(QStringLiteral("、")));
}

void ExamWindow::renderSettings() {
    const exams::Settings& s = m_exam.settings;
    if (m_shownHeaders != m_exam.list.extraHeaders || !m_shownSettings) {
        m_shownHeaders = m_exam.list.extraHeaders;
        m_scoreColumn->clear();
        m_scoreColumn->addItems(m_shownHeaders);
        m_scoreColumn->setCurrentIndex(s.scoreColumn);
    }
    m_scoreColumn->setEnabled(!m_shownHeaders.isEmpty());
    const bool seeded = !m_exam.seating.rooms.empty();
    if (m_shownSettings == s)
        return;
    m_shownSettings = s;
    m_rows->setValue(s.rows);
    m_columns->setValue(s.columns);
    m_perRoom->setValue(s.perRoom);
    m_fullRooms->setChecked(s.fullRooms);
    (s.fill == exams::Fill::Rows ? m_fillRows : m_fillColumns)->setChecked(true);
    m_order->setCurrentIndex(int(s.order));
    m_scoreColumn->setCurrentIndex(s.scoreColumn);
    m_diagonal->setChecked(s.diagonal);
    m_seed->setText(seeded ? QString::number(s.seed) : QString());
    m_prefix->setText(s.prefix);
    m_title->setText(s.title);
    m_roomTable->setRowCount(int(s.rooms.size()));
    for (int row = 0; row < int(s.rooms.size()); ++row) {
        const exams::Room& room = s.rooms[std::size_t(row)];
        const QStringList cells{room.location, QString::number(room.rows),
                                QString::number(room.columns), QString::number(room.capacity)};
        for (int column = 0; column < cells.size(); ++column)
            m_roomTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

// The room's seats as the printouts show them: the first seat at the
// bottom right, the front (讲台) below the last row.
void ExamWindow::renderRoom() {
    m_grid->clear();
    const auto& rooms = m_exam.seating.rooms;
    if (rooms.empty()) {
        m_grid->setRowCount(0);
        m_grid->setColumnCount(0);
        return;
    }
    const exams::Room& room = rooms[std::size_t(m_room)];
    const auto& seats = seatsOf(m_room);
    const std::vector<QString> numbers = exams::examNumbers(m_exam);
    m_grid->setRowCount(room.rows + 1);
    m_grid->setColumnCount(room.columns);
    for (int row = 0; row < room.rows; ++row)
        for (int column = 0; column < room.columns; ++column) {
            auto* empty = new QTableWidgetItem;
            empty->setFlags(Qt::NoItemFlags); // no seat here
            m_grid->setItem(row, column, empty);
        }
    for (int seat = 0; seat < int(seats.size()); ++seat) {
        const exams::Place place = exams::seatPlace(room, m_exam.settings.fill, seat);
        const int who = seats[std::size_t(seat)];
        const QString text = who < 0 || std::size_t(who) >= numbers.size()
                                 ? QStringLiteral("（空）")
                                 : numbers[std::size_t(who)] + QLatin1Char('\n') +
                                       m_exam.list.candidates[std::size_t(who)].name;
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(Qt::AlignCenter);
        item->setData(Qt::UserRole, seat);
        item->setToolTip(QStringLiteral("%1号座位").arg(seat + 1));
        m_grid->setItem(place.row, place.column, item);
        item->setSelected(std::find(m_selected.begin(), m_selected.end(), Selected{m_room, seat}) !=
                          m_selected.end());
    }
    auto* podium = new QTableWidgetItem(QStringLiteral("讲台"));
    podium->setFlags(Qt::ItemIsEnabled);
    podium->setTextAlignment(Qt::AlignCenter);
    m_grid->setItem(room.rows, 0, podium);
    if (room.columns > 1)
        m_grid->setSpan(room.rows, 0, 1, room.columns);
    m_grid->resizeRowsToContents();
    m_grid->resizeColumnsToContents();
}

std::optional<std::vector<exams::Field>> askColumns(QWidget* parent, const exams::Table& table) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("columnsDialog"));
    dialog.setWindowTitle(QStringLiteral("哪一列是什么"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("名单的第一行不是表头。请指出每一列是什么"
                                                "（要有一列姓名）："),
                                 &dialog));
    auto* area = new QScrollArea(&dialog);
    auto* inner = new QWidget(area);
    auto* form = new QFormLayout(inner);
    qsizetype columns = 0;
    for (const QStringList& row : table)
        columns = std::max(columns, row.size());
    const QStringList kinds{QStringLiteral("姓名"), QStringLiteral("班级"), QStringLiteral("学号"),
                            QStringLiteral("考号"), QStringLiteral("其他")};
    std::vector<QComboBox*> choices;
    for (qsizetype column = 0; column < columns; ++column) {
        QStringList samples;
        for (std::size_t row = 0; row < std::min<std::size_t>(3, table.size()); ++row)
            samples << table[row].value(column);
        auto* choice = new QComboBox(inner);
        choice->setObjectName(QStringLiteral("column_%1").arg(column));
        choice->addItems(kinds);
        choice->setCurrentIndex(column == 0 ? 0 : int(exams::Field::Other));
        form->addRow(QStringLiteral("第 %1 列（%2）：")
                         .arg(column + 1)
                         .arg(samples.join(QStringLiteral("，"))),
                     choice);
        choices.push_back(choice);
    }
    area->setWidget(inner);
    area->setWidgetResizable(true);
    layout->addWidget(area);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // 姓名 once, and 班级, 学号, 考号 at most once each. The connections live
    // as long as the dialog: the check keeps its own copies of what it reads.
    const auto check = [choices, buttons] {
        std::array<int, 4> counts{};
        for (QComboBox* choice : choices)
            if (choice->currentIndex() < 4)
                ++counts[std::size_t(choice->currentIndex())];
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(counts[0] == 1 && counts[1] <= 1 && counts[2] <= 1 && counts[3] <= 1);
    };
    for (QComboBox* choice : choices)
        QObject::connect(choice, &QComboBox::currentIndexChanged, &dialog, check);
    check();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<exams::Field> fields;
    fields.reserve(choices.size());
    for (QComboBox* choice : choices)
        fields.push_back(exams::Field(choice->currentIndex()));
    return fields;
}

} // namespace brasset
