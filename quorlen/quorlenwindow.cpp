#include "quorlen/quorlenwindow.h"

#include "common/layout.h"
#include "common/pastedlist.h"
#include "common/printing.h"
#include "common/program.h"
#include "common/safefile.h"
#include "common/tabledocument.h"
#include "quorlen/about.h"
#include "quorlen/product.h"
#include "quorlen/reseatdialog.h"
#include "seating/planexport.h"
#include "seating/planfile.h"
#include "seating/reseat.h"
#include "seating/transform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace quorlen {

using common::px;
using common::twipsRect;

namespace {
const QString kPodium = QStringLiteral("  讲  台");
const QString kPlanFilter = QStringLiteral("Txt files(*.txt)|*.txt|All files(*.*)|*.*");
const QString kExportFilter = QStringLiteral("RTF文件(*.rtf)|*.rtf");
const QString kFixedNote = QStringLiteral("固定座位：随机排座时不动（右键点它取消）");
const QStringList kInstructions = {
    QStringLiteral("操作说明："),
    QString(),
    QStringLiteral("①请将考生信息粘贴在此，每行一位考生信息！"),
    QStringLiteral("②点击相应的按钮可进行考场座位自动编排。"),
    QStringLiteral("③排好座位后进行微调或者旋转翻转处理。"),
    QStringLiteral("④点击“另存为”按钮可将结果保存为RTF文件。"),
};

// The window's outer width, border included, and its client height in
// twips. The exam panel, when shown, lies over the seats, the podium and the
// command buttons, so the window never grows for it.
constexpr int kOuterWidth = 6880;
constexpr int kClientHeight = 6360;
constexpr int kStatusBarHeight = 375;

QLineEdit* podiumBox(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* box = common::placed<QLineEdit>(name, geometry, kPodium, parent);
    box->setReadOnly(true);
    box->setFont(common::songtiFont(15));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    return box;
}

// The eight pattern buttons of the exam panel, top to bottom: the column
// snakes above the row snakes, with a gap between the two groups.
struct PatternButton {
    const char* name;
    const char* caption;
    int top; // twips, inside the panel
    SeatingPattern pattern;
};
constexpr auto Rows = SnakeFamily::Rows;
constexpr auto Columns = SnakeFamily::Columns;
constexpr auto Forward = SnakeDirection::Forward;
constexpr auto Reverse = SnakeDirection::Reverse;
constexpr PatternButton kPatternButtons[] = {
    {"Command14", "竖S倒排(6*5)", 240, {Columns, 6, Reverse}},
    {"Command13", "竖S正排(6*5)", 720, {Columns, 6, Forward}},
    {"Command15", "竖S倒排(7*5)", 1200, {Columns, 7, Reverse}},
    {"Command16", "竖S正排(7*5)", 1680, {Columns, 7, Forward}},
    {"Command10", "横S倒排(7*5)", 2520, {Rows, 7, Reverse}},
    {"Command12", "横S正排(7*5)", 3040, {Rows, 7, Forward}},
    {"Command18", "横S倒排(6*5)", 3560, {Rows, 6, Reverse}},
    {"Command17", "横S正排(6*5)", 4080, {Rows, 6, Forward}},
};

QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption, int top) {
    return common::placed<QPushButton>(name, twipsRect(5040, top, 1455, 375), caption, panel);
}

// A whole-plan move of the classroom. The half turn turns the room itself,
// so the podium ends at the other end. Fixed marks and rules stay.
Classroom moved(const Classroom& room, SeatPlan (*move)(const SeatPlan&)) {
    Classroom next = room;
    next.plan = move(room.plan);
    next.podiumBack = room.podiumBack != (move == &quorlen::rotate);
    return next;
}

Classroom withPlan(const Classroom& room, const SeatPlan& plan) {
    Classroom next = room;
    next.plan = plan;
    return next;
}

Classroom withRules(const Classroom& room, const ReadRules& rules) {
    Classroom next = room;
    next.rules = rules.rules;
    next.fixed = rules.fixed;
    return next;
}

// The instructions' label fits them in a small font; with a larger desktop
// font their last lines would be cut off, so the font shrinks until the
// whole text fits the label.
void shrinkToFit(QLabel* label) {
    QFont font = label->font();
    const auto fits = [&] {
        const int flags = int(label->alignment()) | Qt::TextWordWrap;
        return QFontMetrics(font).boundingRect(label->rect(), flags, label->text()).height() <=
               label->height();
    };
    while (!fits() && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}
} // namespace

QuorlenWindow::QuorlenWindow(common::Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kWindowCaption);
    createControls();
    createExamPanel();
    createStatusBar();
    setFixedSize(px(kOuterWidth), px(kClientHeight));
    m_examPanel->move(px(120), px(120));
    m_instructions->setText(kInstructions.join(QLatin1Char('\n')));
    loadSavedPlan();
    m_statusPanels[0]->setText(windowTitle() + QLatin1Char(' ') + kWebAddress);
    m_statusPanels[1]->setText(QStringLiteral("版本:") + versionText());
    // The plan as loaded at start is where the undo history begins.
    m_history = History(m_classroom);
    render();
    createActions();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void QuorlenWindow::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    for (int seat = 0; seat < kSeats; ++seat) {
        auto* button = common::placed<common::CaptionButton>(
            QStringLiteral("Command1_%1").arg(seat),
            twipsRect(120 + 1350 * (seat / kRows), 720 + 480 * (seat % kRows), 1095, 375), client);
        connect(button, &QPushButton::clicked, this, [this, seat] { clickSeat(seat); });
        button->installEventFilter(this); // to drag it onto another seat
        button->setNote(QStringLiteral("按住拖到另一个座位上松开，两个座位交换"));
        // A right-click, or the menu key, marks the seat fixed or unmarks it.
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, seat] { toggleFixed(seat); });
        m_seatButtons[seat] = button;
    }

    m_podiumFront = podiumBox(client, QStringLiteral("Text1"), twipsRect(1680, 120, 1455, 420));
    m_podiumBack = podiumBox(client, QStringLiteral("Text2"), twipsRect(3000, 4080, 1575, 420));

    auto* divider = common::placed<QFrame>(
        QStringLiteral("Line1"), QRect(px(240), px(4680) - 1, px(6480) - px(240), 2), client);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    // Two rows of buttons under the classroom, in the order the Tab key
    // visits them. The seven whole-plan moves differ only in their move.
    const auto planMove = [this](SeatPlan (*move)(const SeatPlan&)) {
        return [this, move] { movePlan(move); };
    };
    const struct {
        const char* name;
        const char* caption;
        int left;
        int top;
        std::function<void()> handler;
    } commands[] = {
        {"Command5", "旋转", 240, 4800, planMove(rotate)},
        {"Command6", "讲台位置", 1320, 4800, [this] { togglePodium(); }},
        {"Command2", "打开", 2400, 4800, [this] { openPlan(); }},
        {"Command3", "保存", 3480, 4800, [this] { savePlan(); }},
        {"Command4", "另存为", 4560, 4800, [this] { exportPlan(); }},
        {"Command9", "Brasset", 5640, 4800, [this] { showExamPanel(); }},
        {"Command19", "上下翻转", 240, 5280, planMove(flipUpDown)},
        {"Command20", "左右翻转", 1320, 5280, planMove(flipLeftRight)},
        {"Command22", "上移一行", 2400, 5280, planMove(shiftUp)},
        {"Command21", "下移一行", 3480, 5280, planMove(shiftDown)},
        {"Command7", "左移一列", 4560, 5280, planMove(shiftLeft)},
        {"Command8", "右移一列", 5640, 5280, planMove(shiftRight)},
    };
    for (const auto& command : commands) {
        auto* button = common::placed<QPushButton>(QString::fromUtf8(command.name),
                                                   twipsRect(command.left, command.top, 975, 375),
                                                   QString::fromUtf8(command.caption), client);
        connect(button, &QPushButton::clicked, this, command.handler);
        if (QLatin1String(command.name) == QLatin1String("Command9"))
            m_examPanelButton = button;
    }

    // The exam panel, made beside the classroom; the constructor moves it over
    // the seats, and render() shows it only while the user works in it.
    m_examPanel =
        common::placed<QGroupBox>(QStringLiteral("Frame1"), twipsRect(6840, 120, 6615, 5775),
                                  QStringLiteral("请将学生信息粘贴在此"), client);
    m_examPanel->setAutoFillBackground(true);
    m_instructions =
        common::placed<QLabel>(QStringLiteral("Label1"), twipsRect(120, 4560, 4695, 1095),
                               QStringLiteral("操作说明："), m_examPanel);
    m_instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_instructions->setWordWrap(true);
}

void QuorlenWindow::createExamPanel() {
    m_pastedList = common::placed<QPlainTextEdit>(QStringLiteral("Text3"),
                                                  twipsRect(120, 240, 4695, 4215), m_examPanel);
    m_pastedList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const PatternButton& entry : kPatternButtons) {
        QPushButton* button = panelButton(m_examPanel, QString::fromUtf8(entry.name),
                                          QString::fromUtf8(entry.caption), entry.top);
        connect(button, &QPushButton::clicked, this,
                [this, pattern = entry.pattern] { arrange(pattern); });
    }
    QPushButton* backButton =
        panelButton(m_examPanel, QStringLiteral("Command11"), QStringLiteral("返回"), 5040);
    connect(backButton, &QPushButton::clicked, this, &QuorlenWindow::hideExamPanel);
    // Escape leaves the panel as "返回" does; the shortcut belongs to the
    // panel, so it only answers while the panel is shown.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_examPanel);
    connect(escape, &QShortcut::activated, backButton, &QPushButton::click);
}

void QuorlenWindow::createActions() {
    const auto action = [this](const char* name, const QString& text,
                               const QList<QKeySequence>& keys, void (QuorlenWindow::*handler)()) {
        connect(common::addWindowAction(this, name, text, keys), &QAction::triggered, this,
                handler);
    };
    action("undo", QStringLiteral("撤销"), {QKeySequence(Qt::CTRL | Qt::Key_Z)},
           &QuorlenWindow::undo);
    action("redo", QStringLiteral("重做"),
           {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
           &QuorlenWindow::redo);
    action("print", QStringLiteral("打印…"), {QKeySequence(Qt::CTRL | Qt::Key_P)},
           &QuorlenWindow::printPlan);
    action("reseat", QStringLiteral("随机排座…"), {QKeySequence(Qt::CTRL | Qt::Key_R)},
           &QuorlenWindow::openReseat);
    action("fixSeat", QStringLiteral("固定座位"), {QKeySequence(Qt::CTRL | Qt::Key_L)},
           &QuorlenWindow::fixFocusedSeat);
    action("savePlanAs", QStringLiteral("保存座位表为…"),
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, &QuorlenWindow::savePlanAs);
}

void QuorlenWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(px(kStatusBarHeight));
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->installEventFilter(this);
        m_statusPanels[i] = panel;
    }
    // Panel 1 takes whatever room the narrowed window leaves, so that all
    // three, and the double-click target in panel 3, stay in view.
    const QString designer = QStringLiteral("设计：") + kAuthor;
    m_statusPanels[2]->setText(designer);
    m_statusPanels[2]->setToolTip(designer);
    m_statusPanels[0]->setMinimumWidth(px(1440));
    m_statusPanels[1]->setFixedWidth(px(1200));
    // Panel 3 is 1701 twips wide unless the designer's name needs more
    // in the desktop's font; panel 1 gives up the room.
    m_statusPanels[2]->setFixedWidth(qMax(px(1701), m_statusPanels[2]->sizeHint().width()));
    bar->addWidget(m_statusPanels[0], 1);
    bar->addPermanentWidget(m_statusPanels[1]);
    bar->addPermanentWidget(m_statusPanels[2]);
}

void QuorlenWindow::loadSavedPlan() {
    if (!QFileInfo::exists(kDefaultPlanFile))
        return;
    const PlanItems saved = readPlanItems(kDefaultPlanFile, kSeats + 1);
    if (!saved.read) {
        m_startupReports.emplace_back([this, error = saved.error] {
            common::reportFileError(
                m_desktop, this,
                {QStringLiteral("无法读取上次保存的座位表，本次从空白座位表开始。"),
                 kDefaultPlanFile, error},
                windowTitle());
        });
        return;
    }
    const RulesBeside rules = loadRulesBeside(kDefaultPlanFile);
    m_classroom = withRules(startupClassroom(saved.items), rules.read);
    m_startupReports.emplace_back([this, rules] { tellRules(kDefaultPlanFile, rules); });
}

void QuorlenWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The width is the outer width, border included, as the desktop draws it.
    const int border = frameGeometry().width() - width();
    if (border > 0)
        setFixedWidth(px(kOuterWidth) - border);
    // Told after the window is up, so the user sees which program speaks.
    QTimer::singleShot(0, this, [this] {
        for (const auto& report : std::exchange(m_startupReports, {}))
            report();
    });
}

void QuorlenWindow::render() {
    for (int seat = 0; seat < kSeats; ++seat) {
        m_seatButtons[seat]->setCaption(m_classroom.plan[seat]);
        m_seatButtons[seat]->setMark(m_classroom.fixed[seat] ? kFixedNote : QString());
    }
    m_podiumFront->setVisible(!m_classroom.podiumBack);
    m_podiumBack->setVisible(m_classroom.podiumBack);
    m_examPanel->setVisible(m_examPanelShown);
}

void QuorlenWindow::change(const Classroom& next) {
    m_classroom = next;
    m_history.record(m_classroom);
    render();
}

void QuorlenWindow::setSeatPlan(const SeatPlan& plan) {
    change(withPlan(m_classroom, plan));
}

// The first click marks a seat; the second exchanges the two, the marked seat
// with itself when it is clicked twice.
void QuorlenWindow::clickSeat(int seat) {
    if (!m_pending) {
        m_pending = seat;
        return;
    }
    const int first = *std::exchange(m_pending, std::nullopt);
    exchangeSeats(first, seat);
}

void QuorlenWindow::exchangeSeats(int from, int to) {
    Classroom next = m_classroom;
    std::swap(next.plan[from], next.plan[to]);
    change(next);
}

// A marked first click keeps its seat index, so the next click swaps with
// whatever caption has moved onto that seat.
void QuorlenWindow::movePlan(SeatPlan (*move)(const SeatPlan&)) {
    change(moved(m_classroom, move));
}

void QuorlenWindow::togglePodium() {
    Classroom next = m_classroom;
    next.podiumBack = !next.podiumBack;
    change(next);
}

void QuorlenWindow::showExamPanel() {
    shrinkToFit(m_instructions);
    m_examPanelShown = true;
    render();
    // The panel lies over the seats, the podium and the command buttons.
    m_examPanel->raise();
    // Ready for the paste.
    m_pastedList->setFocus();
}

void QuorlenWindow::hideExamPanel() {
    m_examPanelShown = false;
    render();
    // Back where the user came from, rather than on a seat that happened to
    // be next in the tab order.
    m_examPanelButton->setFocus();
}

// The whole plan is replaced by the list laid out in the pattern's order; a
// reverse pattern is then turned round with the podium, as "旋转" does. The
// panel closes and the list is emptied.
void QuorlenWindow::arrange(const SeatingPattern& pattern) {
    // The box holds one entry per line; only the lines that can be seated
    // are read out, however long the pasted list.
    const common::PastedList list = common::boxLines(*m_pastedList->document(), kSeats);
    Classroom next = withPlan(m_classroom, filledPlan(pattern.family, pattern.rows, list.entries));
    if (pattern.direction == SnakeDirection::Reverse)
        next = moved(next, rotate);
    m_pastedList->clear();
    m_examPanelShown = false;
    change(next);
    m_examPanelButton->setFocus();
}

void QuorlenWindow::savePlan() {
    if (writePlan(kDefaultPlanFile))
        m_desktop.inform(this, QStringLiteral("保存完成"), QStringLiteral("保存完成"));
}

// The plan under a name of the user's, in the plan file's form, its rules
// beside it. ".txt" is added unless the name ends in it, so that the plan
// opens with a double-click and a ".rules" file is never written over.
void QuorlenWindow::savePlanAs() {
    QString name =
        m_desktop.saveFileName(this, QStringLiteral("保存座位表为"), kPlanFilter, m_planFileName);
    if (name.isEmpty())
        return;
    if (!name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        name += QLatin1String(".txt");
    const QString path = QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
    if (QFileInfo::exists(name) &&
        !m_desktop.askYesNo(this, QStringLiteral("%1 已经存在，要替换它吗？").arg(path),
                            QStringLiteral("保存座位表为")))
        return;
    if (!writePlan(name))
        return;
    m_planFileName = name;
    QString text = QStringLiteral("座位表已保存为 %1").arg(path);
    if (hasRules(m_classroom))
        text += QStringLiteral("\n规则保存在 %1").arg(rulesPathOf(path));
    m_desktop.inform(this, text, QStringLiteral("保存完成"));
}

// The plan file first, then its rules beside it, or a rules file left there
// from before removed. Each failure is told; the older files stay whole.
bool QuorlenWindow::writePlan(const QString& path) {
    const QByteArray bytes = planFileBytes(m_classroom.plan, m_classroom.podiumBack);
    if (const QString error = common::writeFileSafely(path, bytes); !error.isEmpty()) {
        common::reportFileError(
            m_desktop, this, {QStringLiteral("座位表没有保存，原来的文件保持不变。"), path, error},
            windowTitle());
        return false;
    }
    if (const QString error = saveRulesBeside(path, m_classroom); !error.isEmpty()) {
        common::reportFileError(
            m_desktop, this,
            {QStringLiteral("座位表已保存，规则没有保存，原来的规则文件保持不变。"),
             rulesPathOf(path), error},
            windowTitle());
        return false;
    }
    return true;
}

// Rules are opened with their plan, never on their own.
void QuorlenWindow::openPlan() {
    const QString name =
        m_fileDialog.showOpen(m_desktop, this, QStringLiteral("打开"), kPlanFilter);
    if (name.isEmpty())
        return;
    if (name.endsWith(QLatin1String(".rules"), Qt::CaseInsensitive)) {
        m_desktop.reportError(
            this,
            QStringLiteral("%1 是规则文件，不是座位表。规则随座位表一起打开：请打开它旁边同名、"
                           "不带“.rules”的座位表。")
                .arg(QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath())),
            windowTitle());
        return;
    }
    const PlanItems opened = readPlanItems(name, kSeats);
    if (!opened.read) {
        common::reportFileError(
            m_desktop, this, {QStringLiteral("无法打开座位表，座位没有改变。"), name, opened.error},
            windowTitle());
        return;
    }
    const RulesBeside rules = loadRulesBeside(name);
    change(withRules(withPlan(m_classroom, openedPlan(opened.items)), rules.read));
    m_planFileName = name;
    m_desktop.inform(this, QStringLiteral("打开完成"), QStringLiteral("打开完成"));
    tellRules(name, rules);
}

// A rules file that could not be read, or lines of it that are no rules.
void QuorlenWindow::tellRules(const QString& planPath, const RulesBeside& rules) {
    const QString path = rulesPathOf(planPath);
    if (!rules.error.isEmpty()) {
        common::reportFileError(
            m_desktop, this,
            {QStringLiteral("规则没有读入，座位表已打开，没有规则。"), path, rules.error},
            windowTitle());
        return;
    }
    const QStringList& lines = rules.read.problems;
    if (lines.isEmpty())
        return;
    constexpr int kShown = 10;
    QString text = QStringLiteral("%1 中有 %2 行不是规则，没有读入：\n\n%3")
                       .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()))
                       .arg(lines.size())
                       .arg(lines.mid(0, kShown).join(QLatin1Char('\n')));
    if (lines.size() > kShown)
        text += QStringLiteral("\n……");
    m_desktop.reportError(this, text, windowTitle());
}

// The dialog shows the rules and what cannot be kept; each run is one
// change, the rules as typed with the plan they gave, and closing it keeps
// the rules as typed. Under the exam panel the classroom is out of sight,
// and it does nothing.
void QuorlenWindow::openReseat() {
    if (m_examPanelShown)
        return;
    if (!m_reseat) {
        m_reseat = new ReseatDialog(this);
        connect(m_reseat, &ReseatDialog::runRequested, this, &QuorlenWindow::runReseat);
        connect(m_reseat, &QDialog::finished, this, &QuorlenWindow::keepRules);
    }
    m_reseat->start(m_classroom);
    m_reseat->open();
}

void QuorlenWindow::runReseat() {
    Classroom next = m_classroom;
    next.rules = m_reseat->rules();
    const Reseating result = reseat(next, m_reseat->seed());
    next.plan = result.plan;
    change(next);
    m_reseat->showResult(next, result.broken);
}

void QuorlenWindow::keepRules() {
    Classroom next = m_classroom;
    next.rules = m_reseat->rules();
    change(next);
}

void QuorlenWindow::toggleFixed(int seat) {
    if (m_examPanelShown)
        return;
    Classroom next = m_classroom;
    next.fixed[seat] = !next.fixed[seat];
    change(next);
}

// The keyboard's way: the seat that has the focus.
void QuorlenWindow::fixFocusedSeat() {
    if (const int seat = seatOf(focusWidget()); seat >= 0)
        toggleFixed(seat);
}

void QuorlenWindow::exportPlan() {
    common::exportTableDocument(
        m_desktop, m_fileDialog, this, tableDocument(m_classroom.plan),
        {QStringLiteral("座位表没有导出，同名的原有文件保持不变。"), windowTitle()});
}

// Ctrl+Z and Ctrl+Y take a change back or do it again, and end a marked first
// click. While the exam panel lies over the classroom they leave the hidden
// plan alone; in the list box they are the box's own.
void QuorlenWindow::undo() {
    if (!m_examPanelShown)
        restore(m_history.undo());
}

void QuorlenWindow::redo() {
    if (!m_examPanelShown)
        restore(m_history.redo());
}

void QuorlenWindow::restore(const std::optional<Classroom>& state) {
    m_pending.reset();
    if (state) {
        m_classroom = *state;
        render();
    }
}

// A title line, such as the class and the date, may head the printout.
void QuorlenWindow::printPlan() {
    const std::optional<QString> title =
        m_desktop.askText(this, QStringLiteral("打印的标题，例如班级和日期（可以不填）："),
                          QStringLiteral("打印"), m_printTitle);
    if (!title)
        return;
    m_printTitle = *title;
    m_desktop.printPreview(this, [this](QPrinter& printer) { print(printer); });
}

void QuorlenWindow::print(QPrinter& printer) const {
    common::PrintedGrid grid{m_printTitle.trimmed(), kColumns, {}, {}, {}};
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            grid.seats << m_classroom.plan[seatIndex(column, row)];
    (m_classroom.podiumBack ? grid.boxBelow : grid.boxAbove) = kPodium.trimmed();
    common::printGrids(printer, {grid}, m_seatButtons[0]->font());
}

int QuorlenWindow::seatOf(const QObject* widget) const {
    const auto seat = std::find(m_seatButtons.begin(), m_seatButtons.end(), widget);
    return seat == m_seatButtons.end() ? -1 : int(seat - m_seatButtons.begin());
}

int QuorlenWindow::seatAt(QPoint globalPosition) const {
    return seatOf(centralWidget()->childAt(centralWidget()->mapFromGlobal(globalPosition)));
}

// Pressed on a seat, dragged onto another and let go there, the two swap;
// let go on the seat it started from, it was a click. The seat under the
// pointer shows pressed while the drag goes on.
bool QuorlenWindow::dragEvent(int seat, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto mark = [this](int on) {
        if (m_dropOn >= 0)
            m_seatButtons[m_dropOn]->setDown(false);
        m_dropOn = on;
        if (on >= 0)
            m_seatButtons[on]->setDown(true);
    };
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        m_dragFrom = seat;
        m_pressedAt = mouse->globalPosition().toPoint();
        m_dragging = false;
    } else if (event->type() == QEvent::MouseMove && m_dragFrom == seat) {
        const QPoint at = mouse->globalPosition().toPoint();
        m_dragging =
            m_dragging || (at - m_pressedAt).manhattanLength() >= QApplication::startDragDistance();
        const int on = m_dragging ? seatAt(at) : -1;
        mark(on == seat ? -1 : on);
    } else if (event->type() == QEvent::MouseButtonRelease && m_dragFrom == seat) {
        const int on = m_dragging ? seatAt(mouse->globalPosition().toPoint()) : -1;
        mark(-1);
        m_dragFrom = -1;
        if (on >= 0 && on != seat)
            exchangeSeats(seat, on);
    }
    return false;
}

bool QuorlenWindow::eventFilter(QObject* watched, QEvent* event) {
    if (const int seat = seatOf(watched); seat >= 0 && event->type() >= QEvent::MouseButtonPress &&
                                          event->type() <= QEvent::MouseMove)
        return dragEvent(seat, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        // Only the third panel, the designer's, opens the about window.
        if (watched == m_statusPanels[2])
            showAbout();
        if (std::find(m_statusPanels.begin(), m_statusPanels.end(), watched) !=
            m_statusPanels.end())
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void QuorlenWindow::showAbout() {
    AboutWindow about(m_desktop, this);
    about.exec();
}

} // namespace quorlen
