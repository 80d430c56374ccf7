#include "brasset/examwindow.h"

#include "common/safefile.h"
#include "common/seed.h"
#include "common/tabledocument.h"
#include "exams/arrange.h"
#include "exams/examfile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brasset {

namespace {
const QString kTitle = QStringLiteral("考务编排");
const QString kExamFilter = QStringLiteral("考务文件(*.exam)|*.exam|所有文件(*.*)|*.*");
constexpr int kMostSeatLines = exams::kMostPerRoom; // rows or columns of a room
constexpr int kProblemsInBox = 15;                  // the rest are in the messages pane

QString withSuffix(const QString& path, const QString& suffix) {
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

// A cell of the room table as a whole number in [lowest, highest], or
// nothing; an empty cell counts as `empty`.
std::optional<int> cellNumber(const QTableWidgetItem* item, int lowest, int highest, int empty) {
    const QString text = item ? item->text().trimmed() : QString();
    if (text.isEmpty())
        return empty;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest ? std::optional(value) : std::nullopt;
}
} // namespace

ExamWindow::ExamWindow(common::Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window), m_desktop(desktop) {
    setObjectName(QStringLiteral("examWindow"));
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    layout->setMenuBar(menus);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(createSettings());
    splitter->addWidget(createPlan());
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    createActions();
    for (const auto& [title, names] : std::initializer_list<std::pair<QString, QStringList>>{
             {QStringLiteral("名单(&L)"),
              {"openList", "pasteList", "", "addCandidate", "removeCandidate", "swapCandidates"}},
             {QStringLiteral("编排(&A)"), {"arrange", "newSeed"}},
             {QStringLiteral("文件(&F)"),
              {"openExam", "saveExam", "", "exportWorkbook", "exportPrintPack",
               "exportTableDocument", "", "print"}}}) {
        QMenu* menu = menus->addMenu(title);
        for (const QString& name : names)
            name.isEmpty() ? void(menu->addSeparator())
                           : menu->addAction(findChild<QAction*>(name, Qt::FindDirectChildrenOnly));
    }
    if (const QScreen* screen = this->screen())
        resize(sizeHint()
                   .expandedTo(screen->availableGeometry().size() * 3 / 4)
                   .boundedTo(screen->availableGeometry().size()));
    render();
}

QAction* ExamWindow::addAction(const char* name, const QString& text, const QKeySequence& key,
                               void (ExamWindow::*handler)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    action->setToolTip(text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                       QLatin1Char(')'));
    QWidget::addAction(action);
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

void ExamWindow::createActions() {
    addAction("openList", QStringLiteral("打开名单…"), QKeySequence(Qt::CTRL | Qt::Key_O),
              &ExamWindow::openList);
    addAction("pasteList", QStringLiteral("粘贴名单"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &ExamWindow::pasteList);
    connect(addAction("arrange", QStringLiteral("编排"), QKeySequence(Qt::Key_F5), nullptr),
            &QAction::triggered, this, [this] { arrangeExam(); });
    connect(addAction("newSeed", QStringLiteral("换一个种子"), QKeySequence(Qt::CTRL | Qt::Key_R),
                      nullptr),
            &QAction::triggered, this,
            [this] { arrangeExam(QRandomGenerator::global()->generate()); });
    addAction("openExam", QStringLiteral("打开考务…"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), &ExamWindow::openExam);
    connect(addAction("saveExam", QStringLiteral("保存考务…"), QKeySequence(Qt::CTRL | Qt::Key_S),
                      nullptr),
            &QAction::triggered, this, [this] { saveExam(); });
    addAction("exportWorkbook", QStringLiteral("导出工作簿…"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &ExamWindow::exportWorkbook);
    addAction("exportPrintPack", QStringLiteral("导出打印包 PDF…"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &ExamWindow::exportPrintPack);
    addAction("exportTableDocument", QStringLiteral("导出表格文档…"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), &ExamWindow::exportTableDocument);
    addAction("addCandidate", QStringLiteral("添加考生…"), QKeySequence(Qt::CTRL | Qt::Key_N),
              &ExamWindow::addCandidate);
    addAction("removeCandidate", QStringLiteral("移除考生"), QKeySequence(Qt::Key_Delete),
              &ExamWindow::removeCandidate);
    addAction("swapCandidates", QStringLiteral("交换座位"), QKeySequence(Qt::CTRL | Qt::Key_T),
              &ExamWindow::swapCandidates);
    // One part at a time: Ctrl+P opens the parts, a digit picks one.
    QAction* print =
        addAction("print", QStringLiteral("打印…"), QKeySequence(Qt::CTRL | Qt::Key_P), nullptr);
    auto* parts = new QMenu(this);
    const std::pair<exams::Part, const char*> kParts[] = {{exams::Part::DoorLists, "门贴"},
                                                          {exams::Part::DeskLabels, "桌贴"},
                                                          {exams::Part::SignIn, "签到表"},
                                                          {exams::Part::Overview, "总表"}};
    int digit = 1;
    for (const auto& [part, text] : kParts) {
        QAction* action =
            addAction(QStringLiteral("print%1").arg(digit).toLatin1().constData(),
                      QStringLiteral("&%1 %2…").arg(digit).arg(QString::fromUtf8(text)),
                      QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key(Qt::Key_0 + digit)), nullptr);
        connect(action, &QAction::triggered, this, [this, p = part] { printPart(p); });
        parts->addAction(action);
        ++digit;
    }
    print->setMenu(parts);
    connect(print, &QAction::triggered, this,
            [this, parts] { parts->popup(mapToGlobal(rect().center())); });
}

QWidget* ExamWindow::createSettings() {
    auto* box = new QGroupBox(QStringLiteral("编排设置"), this);
    auto* form = new QFormLayout(box);
    const auto spin = [box](const char* name, int value, int highest) {
        auto* spin = new QSpinBox(box);
        spin->setObjectName(QLatin1String(name));
        spin->setRange(1, highest);
        spin->setValue(value);
        return spin;
    };
    m_rows = spin("rows", 6, kMostSeatLines);
    m_columns = spin("columns", 5, kMostSeatLines);
    m_perRoom = spin("perRoom", 30, exams::kMostPerRoom);
    form->addRow(QStringLiteral("行："), m_rows);
    form->addRow(QStringLiteral("列："), m_columns);
    form->addRow(QStringLiteral("每考场人数："), m_perRoom);
    m_fullRooms = new QCheckBox(QStringLiteral("坐满再排下一个"), box);
    form->addRow(m_fullRooms);
    m_fillRows = new QRadioButton(QStringLiteral("横排"), box);
    m_fillColumns = new QRadioButton(QStringLiteral("竖排"), box);
    auto* fills = new QHBoxLayout;
    fills->addWidget(m_fillRows);
    fills->addWidget(m_fillColumns);
    form->addRow(fills);
    m_order = new QComboBox(box);
    m_order->setObjectName(QStringLiteral("order"));
    m_order->addItems({QStringLiteral("按名单"), QStringLiteral("按班级和学号"),
                       QStringLiteral("打乱，同班不相邻"), QStringLiteral("按某列从高到低")});
    form->addRow(QStringLiteral("顺序："), m_order);
    m_scoreColumn = new QComboBox(box);
    m_scoreColumn->setObjectName(QStringLiteral("scoreColumn"));
    form->addRow(QStringLiteral("按哪一列："), m_scoreColumn);
    m_diagonal = new QCheckBox(QStringLiteral("斜对也不相邻"), box);
    form->addRow(m_diagonal);
    m_seed = new QLineEdit(box);
    m_seed->setObjectName(QStringLiteral("seed"));
    m_seed->setPlaceholderText(QStringLiteral("空着则随机"));
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,10}")), m_seed));
    form->addRow(QStringLiteral("随机种子："), m_seed);
    m_prefix = new QLineEdit(box);
    m_prefix->setObjectName(QStringLiteral("prefix"));
    form->addRow(QStringLiteral("考号前缀："), m_prefix);
    m_title = new QLineEdit(box);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(QStringLiteral("科目和时间"));
    form->addRow(QStringLiteral("标题："), m_title);
    // The prefix and the title change the printouts, not the seats: they
    // count at once, without arranging again.
    connect(m_prefix, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_exam.settings.prefix = text;
        m_shownSettings = m_exam.settings;
        m_unsaved = true;
        render();
    });
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_exam.settings.title = text;
        m_shownSettings = m_exam.settings;
        m_unsaved = true;
    });

    m_roomTable = new QTableWidget(0, 4, box);
    m_roomTable->setObjectName(QStringLiteral("roomTable"));
    m_roomTable->setHorizontalHeaderLabels({QStringLiteral("位置"), QStringLiteral("行"),
                                            QStringLiteral("列"), QStringLiteral("人数")});
    m_roomTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_roomTable->horizontalHeader()->setStretchLastSection(true);
    form->addRow(new QLabel(QStringLiteral("考场表（空着则按上面的行、列、人数）："), box));
    form->addRow(m_roomTable);
    auto* addRoom = new QPushButton(QStringLiteral("添加考场"), box);
    auto* removeRoom = new QPushButton(QStringLiteral("删除考场"), box);
    addRoom->setToolTip(QStringLiteral("在考场表末尾添加一行"));
    removeRoom->setToolTip(QStringLiteral("删除考场表中选中的行"));
    connect(addRoom, &QPushButton::clicked, this, [this] {
        const int row = m_roomTable->rowCount();
        m_roomTable->insertRow(row);
        const QStringList cells{{},
                                QString::number(m_rows->value()),
                                QString::number(m_columns->value()),
                                QString::number(m_perRoom->value())};
        for (int column = 0; column < cells.size(); ++column)
            m_roomTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    });
    connect(removeRoom, &QPushButton::clicked, this, [this] {
        if (m_roomTable->currentRow() >= 0)
            m_roomTable->removeRow(m_roomTable->currentRow());
    });
    auto* roomButtons = new QHBoxLayout;
    roomButtons->addWidget(addRoom);
    roomButtons->addWidget(removeRoom);
    form->addRow(roomButtons);
    return box;
}

QWidget* ExamWindow::createPlan() {
    auto* plan = new QWidget(this);
    auto* layout = new QVBoxLayout(plan);
    m_summaryLabel = new QLabel(plan);
    m_summaryLabel->setObjectName(QStringLiteral("summary"));
    m_summaryLabel->setWordWrap(true);
    m_summaryLabel->setTextFormat(Qt::PlainText);
    m_summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_summaryLabel);
    auto* rooms = new QSplitter(plan);
    m_roomList = new QListWidget(rooms);
    m_roomList->setObjectName(QStringLiteral("roomList"));
    connect(m_roomList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_rendering || row < 0)
            return;
        m_room = row;
        render();
    });
    m_grid = new QTableWidget(rooms);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setWordWrap(true);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this, &ExamWindow::selectionChanged);
    rooms->addWidget(m_roomList);
    rooms->addWidget(m_grid);
    rooms->setStretchFactor(1, 1);
    layout->addWidget(rooms, 3);
    m_selectionLabel = new QLabel(plan);
    m_selectionLabel->setObjectName(QStringLiteral("selection"));
    m_selectionLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(m_selectionLabel);
    m_messagesPane = new QPlainTextEdit(plan);
    m_messagesPane->setObjectName(QStringLiteral("messages"));
    m_messagesPane->setReadOnly(true);
    layout->addWidget(m_messagesPane, 1);
    return plan;
}

// ---- reading a list

void ExamWindow::openList() {
    if (!saveIfWanted())
        return;
    const QString path = m_listDialog.showOpen(
        m_desktop, this, QStringLiteral("打开名单"),
        QStringLiteral("考生名单(*.csv *.xlsx *.xls)|*.csv;*.xlsx;*.xls|所有文件(*.*)|*.*"));
    if (!path.isEmpty())
        readTable(exams::readTableFile(path), QFileInfo(path).fileName());
}

void ExamWindow::pasteList() {
    if (saveIfWanted())
        readTable(exams::readPaste(QGuiApplication::clipboard()->text()),
                  QStringLiteral("粘贴的名单"));
}

void ExamWindow::takeNames(const std::vector<QString>& names) {
    // Brasset's empty lines are empty seats, not candidates; the rest keep
    // their line numbers for the messages.
    exams::Table table;
    std::vector<int> lines;
    for (std::size_t line = 0; line < names.size(); ++line)
        if (!names[line].trimmed().isEmpty()) {
            table.push_back({names[line]});
            lines.push_back(int(line) + 1);
        }
    exams::ReadCandidates read = exams::candidatesFrom(table, {exams::Field::Name}, false);
    for (exams::Candidate& candidate : read.list.candidates)
        candidate.sourceRow = lines.at(std::size_t(candidate.sourceRow - 1));
    for (exams::Problem& problem : read.problems)
        problem.row = lines.at(std::size_t(problem.row - 1));
    takeCandidates(read, QStringLiteral("Brasset 的名单"));
}

void ExamWindow::readTable(const exams::ReadTable& read, const QString& source) {
    const exams::Table& table = read.rows;
    if (!read.error.isEmpty()) {
        m_desktop.reportError(this, read.error, QStringLiteral("读名单"));
        return;
    }
    if (table.empty()) {
        m_desktop.reportError(this, QStringLiteral("%1中没有考生。").arg(source),
                              QStringLiteral("读名单"));
        return;
    }
    std::vector<exams::Field> fields = exams::recogniseHeader(table.front());
    const bool header = !fields.empty();
    if (!header) {
        const auto chosen = askColumns(this, table);
        if (!chosen)
            return;
        fields = *chosen;
    }
    takeCandidates(exams::candidatesFrom(table, fields, header), source);
}

void ExamWindow::takeCandidates(const exams::ReadCandidates& read, const QString& source) {
    const auto& problems = read.problems;
    const QStringList twice = exams::duplicateExamNumbers(read.list);
    QStringList messages;
    if (!problems.empty())
        messages << QStringLiteral("%1中有 %2 行读不出考生：").arg(source).arg(problems.size())
                 << exams::problemLines(problems);
    if (!twice.isEmpty())
        messages
            << QStringLiteral("这些考号不止一名考生：%1").arg(twice.join(QStringLiteral("、")));
    const int count = int(read.list.candidates.size());
    if (count == 0 || !twice.isEmpty()) {
        messages << (count == 0 ? QStringLiteral("%1中没有读出考生，名单没有读入。").arg(source)
                                : QStringLiteral("名单没有读入：一个考号只能给一名考生。"
                                                 "改正名单后再读。"));
        m_messages = messages;
        render();
        m_desktop.reportError(this, messages.mid(0, kProblemsInBox).join(QLatin1Char('\n')),
                              QStringLiteral("读名单"));
        return;
    }
    if (!problems.empty()) {
        m_messages = messages;
        render();
        QStringList box = messages.mid(0, kProblemsInBox + 1);
        if (messages.size() > box.size())
            box << QStringLiteral("  ……其余见窗口下方的消息栏");
        box << QString()
            << QStringLiteral("这些行的考生不会有座位。是否只读入其余 %1 名考生？").arg(count);
        if (!m_desktop.askYesNo(this, box.join(QLatin1Char('\n')), QStringLiteral("读名单")))
            return;
    }
    exams::Exam exam;
    exam.list = read.list;
    exam.settings = m_exam.settings;
    if (exam.settings.scoreColumn >= int(exam.list.extraHeaders.size()))
        exam.settings.scoreColumn = -1;
    m_exam = exam;
    m_examPath.clear();
    m_room = 0;
    m_selected.clear();
    m_messages = messages;
    m_summary =
        QStringLiteral("已从%1读入考生 %2 人。按“编排”（F5）编入考场。").arg(source).arg(count);
    m_unsaved = true;
    render();
}

// ---- arranging

std::optional<exams::Settings> ExamWindow::settingsFromControls() {
    exams::Settings settings = m_exam.settings;
    settings.rows = m_rows->value();
    settings.columns = m_columns->value();
    settings.perRoom = m_perRoom->value();
    settings.fullRooms = m_fullRooms->isChecked();
    settings.fill = m_fillColumns->isChecked() ? exams::Fill::Columns : exams::Fill::Rows;
    settings.order = exams::Order(m_order->currentIndex());
    settings.scoreColumn = m_scoreColumn->currentIndex();
    settings.diagonal = m_diagonal->isChecked();
    settings.prefix = m_prefix->text();
    settings.title = m_title->text();
    QStringList wrong;
    if (settings.order == exams::Order::ByColumn && settings.scoreColumn < 0)
        wrong << QStringLiteral(
            "“按某列从高到低”要名单有姓名、班级、学号、考号以外的列（如成绩）。");
    // The identical rooms' size is checked even with a room table: its
    // empty cells take the rows and columns above.
    if (const QString problem =
            exams::roomSizeProblem(settings.rows, settings.columns, settings.perRoom);
        !problem.isEmpty())
        wrong << problem;
    const std::optional<std::uint32_t> seed = common::seedFrom(m_seed->text());
    if (!seed && !m_seed->text().isEmpty())
        wrong << QStringLiteral("随机种子要在 0 到 4294967295 之间。");
    settings.seed = seed ? *seed : QRandomGenerator::global()->generate();
    settings.rooms.clear();
    for (int row = 0; row < m_roomTable->rowCount(); ++row) {
        const auto cell = [&](int column) { return m_roomTable->item(row, column); };
        const auto rows = cellNumber(cell(1), 1, kMostSeatLines, settings.rows);
        const auto columns = cellNumber(cell(2), 1, kMostSeatLines, settings.columns);
        const auto capacity = rows && columns
                                  ? cellNumber(cell(3), 1, *rows * *columns, *rows * *columns)
                                  : std::nullopt;
        if (!capacity) {
            wrong << QStringLiteral("考场表第 %1 行：行、列是 1 到 %2 的整数，人数不超过行 × 列。")
                         .arg(row + 1)
                         .arg(kMostSeatLines);
            continue;
        }
        settings.rooms.push_back(
            {cell(0) ? cell(0)->text().trimmed() : QString(), *rows, *columns, *capacity});
    }
    if (wrong.isEmpty())
        return settings;
    m_desktop.reportError(this, wrong.join(QLatin1Char('\n')), QStringLiteral("编排"));
    return std::nullopt;
}

void ExamWindow::arrangeExam(std::optional<std::uint32_t> seed) {
    if (m_exam.list.candidates.empty()) {
        m_desktop.inform(
            this, QStringLiteral("还没有考生：先打开名单（Ctrl+O）或粘贴名单（Ctrl+Shift+V）。"),
            QStringLiteral("编排"));
        return;
    }
    std::optional<exams::Settings> settings = settingsFromControls();
    if (!settings)
        return;
    if (seed)
        settings->seed = *seed;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const exams::Arrangement arrangement = exams::arrange(m_exam.list, *settings);
    QApplication::restoreOverrideCursor();
    if (!arrangement.error.isEmpty()) {
        m_messages = QStringList{arrangement.error};
        render();
        m_desktop.reportError(this, arrangement.error, QStringLiteral("编排"));
        return;
    }
    m_exam.settings = *settings;
    m_exam.seating = arrangement.seating;
    m_exam.version = exams::programVersion();
    m_room = 0;
    m_selected.clear();
    m_messages.clear();
    m_unsaved = true;
    summarise(arrangement.adjacentPairs ? arrangement.why : QString());
    render();
}

void ExamWindow::summarise(const QString& why) {
    const auto pairs = exams::adjacentClassmates(m_exam.list, m_exam.seating, m_exam.settings.fill,
                                                 m_exam.settings.diagonal);
    m_summary = exams::summaryLine(m_exam, int(pairs.size()));
    if (!why.isEmpty())
        m_summary += QLatin1Char('\n') + why;
}

bool ExamWindow::seated() {
    if (!m_exam.seating.rooms.empty())
        return true;
    m_desktop.inform(this, QStringLiteral("还没有编排：先读入名单，再按“编排”（F5）。"), kTitle);
    return false;
}

// ---- late changes

std::vector<int> ExamWindow::selectedCandidates() const {
    std::vector<int> candidates;
    for (const Selected& s : m_selected) {
        const auto& seats = m_exam.seating.seats;
        if (std::size_t(s.room) < seats.size() && std::size_t(s.seat) < seats[s.room].size() &&
            seats[s.room][s.seat] >= 0)
            candidates.push_back(seats[s.room][s.seat]);
    }
    return candidates;
}

void ExamWindow::lateChange(const exams::Exam& after) {
    const QStringList redo = exams::printoutsToRedo(m_exam, after);
    m_exam = after;
    m_selected.clear();
    m_unsaved = true;
    m_messages = QStringList{QStringLiteral("要重新打印：")} + redo;
    summarise({});
    render();
    m_desktop.inform(this, m_messages.join(QLatin1Char('\n')), QStringLiteral("要重新打印"));
}

void ExamWindow::addCandidate() {
    if (!seated())
        return;
    const std::optional<QString> text =
        m_desktop.askText(this, QStringLiteral("姓名,班级,学号（班级、学号可以不填）："),
                          QStringLiteral("添加考生"), QString());
    if (!text)
        return;
    const std::optional<exams::Candidate> candidate = exams::lateCandidate(*text, m_exam.list);
    if (!candidate) {
        m_desktop.reportError(this, exams::lateCandidateProblem(), QStringLiteral("添加考生"));
        return;
    }
    exams::Exam after = m_exam;
    after.list.candidates.push_back(*candidate);
    const exams::Changed changed =
        exams::seatLateCandidate(after.seating, int(after.list.candidates.size()) - 1);
    if (!changed.error.isEmpty()) {
        m_desktop.reportError(this, changed.error, QStringLiteral("添加考生"));
        return;
    }
    after.seating = changed.seating;
    lateChange(after);
}

void ExamWindow::removeCandidate() {
    const std::vector<int> chosen = selectedCandidates();
    if (chosen.empty()) {
        m_desktop.inform(this, QStringLiteral("先在考场座位表中选中要移除的考生。"),
                         QStringLiteral("移除考生"));
        return;
    }
    QStringList names;
    for (int who : chosen)
        names << m_exam.list.candidates[std::size_t(who)].name;
    if (!m_desktop.askYesNo(this,
                            QStringLiteral("让 %1 空出座位？考生仍留在名单中。")
                                .arg(names.join(QStringLiteral("、"))),
                            QStringLiteral("移除考生")))
        return;
    exams::Exam after = m_exam;
    for (int who : chosen)
        after.seating = exams::unseat(after.seating, who);
    lateChange(after);
}

void ExamWindow::swapCandidates() {
    const std::vector<int> chosen = selectedCandidates();
    if (chosen.size() != 2) {
        m_desktop.inform(this,
                         QStringLiteral("选中两个有考生的座位（按住 Ctrl 点选，可以在不同考场）。"),
                         QStringLiteral("交换座位"));
        return;
    }
    exams::Exam after = m_exam;
    after.seating = exams::swapSeats(m_exam.seating, chosen[0], chosen[1]);
    lateChange(after);
}

void ExamWindow::selectionChanged() {
    if (m_rendering)
        return;
    // The seats chosen in other rooms stay, so that two rooms can swap.
    std::erase_if(m_selected, [this](const Selected& s) { return s.room == m_room; });
    for (const QTableWidgetItem* item : m_grid->selectedItems())
        if (const QVariant seat = item->data(Qt::UserRole); seat.isValid())
            m_selected.push_back({m_room, seat.toInt()});
    // The grid shows the selection already; rebuilt now, it would take the
    // items away from under the click that selects them.
    renderSelection();
}

// ---- files

bool ExamWindow::saveIfWanted() {
    if (!m_unsaved)
        return true;
    if (!m_desktop.askYesNo(this, QStringLiteral("考务编排有改动还没有保存。是否保存？"), kTitle))
        return true;
    return saveExam();
}

void ExamWindow::closeEvent(QCloseEvent* event) {
    if (saveIfWanted()) {
        m_unsaved = false;
        event->accept();
    } else {
        event->ignore();
    }
}

void ExamWindow::openExam() {
    if (!saveIfWanted())
        return;
    const QString path =
        m_examDialog.showOpen(m_desktop, this, QStringLiteral("打开考务"), kExamFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QString readError = file.error() == QFile::NoError ? QString() : file.errorString();
    const exams::OpenedExam opened =
        readError.isEmpty() ? exams::readExamFile(bytes) : exams::OpenedExam{{}, readError};
    if (!opened.error.isEmpty()) {
        common::reportFileError(
            m_desktop, this,
            {QStringLiteral("考务文件没有打开，窗口中的考务不变。"), path, opened.error},
            QStringLiteral("打开考务"));
        return;
    }
    m_exam = opened.exam;
    m_examPath = path;
    m_room = 0;
    m_selected.clear();
    m_messages.clear();
    m_unsaved = false;
    if (m_exam.version != exams::programVersion())
        m_messages << QStringLiteral("这份考务由 %1 版编排；用同一种子重新编排，座位可能不同。")
                          .arg(m_exam.version);
    summarise({});
    render();
}

bool ExamWindow::saveExam() {
    QString path = m_examPath;
    if (path.isEmpty()) {
        path = m_examDialog.showSave(m_desktop, this, QStringLiteral("保存考务"), kExamFilter);
        if (path.isEmpty())
            return false;
        path = withSuffix(path, QStringLiteral(".exam"));
    }
    const QString error = common::writeFileSafely(path, exams::examFileBytes(m_exam));
    if (!error.isEmpty()) {
        common::reportFileError(
            m_desktop, this,
            {QStringLiteral("考务没有保存；同名的旧文件如果存在，保持不变。"), path, error},
            QStringLiteral("保存考务"));
        return false;
    }
    m_examPath = path;
    m_unsaved = false;
    render();
    return true;
}

QString ExamWindow::outputName(const QString& title, const QString& filter, const QString& suffix) {
    if (!seated())
        return {};
    const QString path = m_outputDialog.showSave(m_desktop, this, title, filter);
    return path.isEmpty() ? path : withSuffix(path, suffix);
}

void ExamWindow::offerToOpen(const QString& path, const QString& title) {
    if (m_desktop.askYesNo(this, QStringLiteral("已导出。是否立即打开查看？"), title))
        m_desktop.openDocument(path);
}

void ExamWindow::exportWorkbook() {
    const QString title = QStringLiteral("导出工作簿");
    const QString path =
        outputName(title, QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx"), QStringLiteral(".xlsx"));
    if (path.isEmpty())
        return;
    const QString error = exams::writeWorkbook(m_exam, QDate::currentDate(), path);
    if (!error.isEmpty())
        m_desktop.reportError(this, error, title);
    else
        offerToOpen(path, title);
}

void ExamWindow::exportPrintPack() {
    const QString title = QStringLiteral("导出打印包");
    const QString path =
        outputName(title, QStringLiteral("PDF 文件(*.pdf)|*.pdf"), QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    QProgressDialog progress(QStringLiteral("正在生成打印包（门贴、桌贴、签到表、总表）…"),
                             QStringLiteral("取消"), 0, 1, this);
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const QString error = exams::writePrintPackPdf(m_exam, QDate::currentDate(), path,
                                                   [&progress](int done, int total) {
                                                       progress.setMaximum(total);
                                                       progress.setValue(done);
                                                       return !progress.wasCanceled();
                                                   });
    const bool cancelled = progress.wasCanceled();
    progress.reset();
    if (cancelled)
        m_desktop.inform(this, error, title);
    else if (!error.isEmpty())
        m_desktop.reportError(this, error, title);
    else
        offerToOpen(path, title);
}

void ExamWindow::exportTableDocument() {
    if (seated())
        common::exportTableDocument(
            m_desktop, m_outputDialog, this, exams::examTableDocument(m_exam),
            {QStringLiteral("表格文档没有导出；同名的旧文件如果存在，保持不变。"),
             QStringLiteral("导出表格文档")});
}

void ExamWindow::printPart(exams::Part part) {
    if (seated())
        m_desktop.printPreview(this, [this, part](QPrinter& printer) {
            exams::paintPrintPack(m_exam, QDate::currentDate(), {part}, printer);
        });
}

} // namespace brasset
