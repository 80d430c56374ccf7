#include "window.h"

#include "about.h"
#include "ansitext.h"
#include "export.h"
#include "filenames.h"
#include "pastedlist.h"
#include "planfile.h"
#include "printing.h"
#include "product.h"
#include "transform.h"

#include <QAction>
#include <QApplication>
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

namespace quorlen {

using common::px;
using common::twipsRect;

namespace {
const QString kPodium = QStringLiteral("  讲  台");
const QString kPlanFilter = QStringLiteral("Txt files(*.txt)|*.txt|All files(*.*)|*.*");
const QString kExportFilter = QStringLiteral("RTF文件(*.rtf)|*.rtf");
const QStringList kInstructions = {
    QStringLiteral("操作说明："),
    QString(),
    QStringLiteral("①请将考生信息粘贴在此，每行一位考生信息！"),
    QStringLiteral("②点击相应的按钮可进行考场座位自动编排。"),
    QStringLiteral("③排好座位后进行微调或者旋转翻转处理。"),
    QStringLiteral("④点击“另存为”按钮可将结果保存为RTF文件。"),
};

// The window is designed 13740 twips wide, with the exam panel laid out on
// the right; at start it is narrowed to 6880 and the panel is moved over the
// seats, so only the narrow form is ever seen.
constexpr int kOuterWidth = 6880;
constexpr int kClientHeight = 6360;
constexpr int kStatusBarHeight = 375;

QLineEdit* podiumBox(QWidget* parent, const char* name, const QRect& geometry) {
    auto* box = new QLineEdit(kPodium, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFont(common::songtiFont(15));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    return box;
}

QPushButton* panelButton(QWidget* panel, const char* name, const QString& caption, int top) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(twipsRect(5040, top, 1455, 375));
    return button;
}

// The instructions were laid out for a small Windows font; with a larger
// desktop font their last lines would be cut off, so the font shrinks until
// the whole text fits the label.
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

Form1::Form1(common::Desktop& desktop, QWidget* parent) : QMainWindow(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kWindowCaption);
    createControls();
    createExamPanel();
    connectPlanMoves();
    createStatusBar();
    load();
    // The plan as loaded at start is where the undo history begins.
    m_history = History(classroom());
    createActions();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QPushButton* Form1::commandButton(const char* name, const QString& caption, int left, int top) {
    auto* button = new QPushButton(caption, centralWidget());
    button->setObjectName(QLatin1String(name));
    button->setGeometry(twipsRect(left, top, 975, 375));
    return button;
}

void Form1::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    for (int seat = 0; seat < kSeats; ++seat) {
        const int column = seat / kRows;
        const int row = seat % kRows;
        auto* button = new common::CaptionButton(client);
        button->setObjectName(QStringLiteral("Command1_%1").arg(seat));
        button->setGeometry(twipsRect(120 + 1350 * column, 720 + 480 * row, 1095, 375));
        connect(button, &QPushButton::clicked, this, [this, seat] { swapSeat(seat); });
        button->installEventFilter(this); // to drag it onto another seat
        button->setNote(QStringLiteral("按住拖到另一个座位上松开，两个座位交换"));
        Command1[seat] = button;
    }

    Text1 = podiumBox(client, "Text1", twipsRect(1680, 120, 1455, 420));
    Text2 = podiumBox(client, "Text2", twipsRect(3000, 4080, 1575, 420));
    Text2->hide();

    Line1 = new QFrame(client);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(px(240), px(4680) - 1, px(6480) - px(240), 2);

    Command5 = commandButton("Command5", QStringLiteral("旋转"), 240, 4800);
    Command6 = commandButton("Command6", QStringLiteral("讲台位置"), 1320, 4800);
    Command2 = commandButton("Command2", QStringLiteral("打开"), 2400, 4800);
    Command3 = commandButton("Command3", QStringLiteral("保存"), 3480, 4800);
    Command4 = commandButton("Command4", QStringLiteral("另存为"), 4560, 4800);
    Command9 = commandButton("Command9", QStringLiteral("Brasset"), 5640, 4800);
    Command19 = commandButton("Command19", QStringLiteral("上下翻转"), 240, 5280);
    Command20 = commandButton("Command20", QStringLiteral("左右翻转"), 1320, 5280);
    Command22 = commandButton("Command22", QStringLiteral("上移一行"), 2400, 5280);
    Command21 = commandButton("Command21", QStringLiteral("下移一行"), 3480, 5280);
    Command7 = commandButton("Command7", QStringLiteral("左移一列"), 4560, 5280);
    Command8 = commandButton("Command8", QStringLiteral("右移一列"), 5640, 5280);

    connect(Command2, &QPushButton::clicked, this, &Form1::openPlan);
    connect(Command3, &QPushButton::clicked, this, &Form1::savePlan);
    connect(Command4, &QPushButton::clicked, this, &Form1::exportPlan);

    // The exam panel, laid out where the designed window has room for it.
    Frame1 = new QGroupBox(QStringLiteral("请将学生信息粘贴在此"), client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(6840, 120, 6615, 5775));
    Frame1->setAutoFillBackground(true);
    Label1 = new QLabel(QStringLiteral("操作说明："), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 4560, 4695, 1095));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
}

void Form1::createExamPanel() {
    Text3 = new QPlainTextEdit(Frame1);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setGeometry(twipsRect(120, 240, 4695, 4215));
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (size_t i = 0; i < m_patternButtons.size(); ++i) {
        const PatternButton& entry = patternButtons()[i];
        QPushButton* button = panelButton(Frame1, entry.name, entry.caption, entry.top);
        const SeatingPattern pattern = entry.pattern;
        connect(button, &QPushButton::clicked, this, [this, pattern] { arrange(pattern); });
        m_patternButtons[i] = button;
    }
    Command11 = panelButton(Frame1, "Command11", QStringLiteral("返回"), 5040);
    connect(Command11, &QPushButton::clicked, this, &Form1::hideExamPanel);
    // Escape leaves the panel as "返回" does; the shortcut belongs to the
    // panel, so it only answers while the panel is shown.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), Frame1);
    connect(escape, &QShortcut::activated, Command11, &QPushButton::click);
    connect(Command9, &QPushButton::clicked, this, &Form1::showExamPanel);
}

void Form1::connectPlanMoves() {
    // Each is one undo step, the half turn with the podium it moves.
    const std::pair<QPushButton*, void (Form1::*)()> moves[] = {
        {Command5, &Form1::rotate},      {Command6, &Form1::togglePodium},
        {Command19, &Form1::flipUpDown}, {Command20, &Form1::flipLeftRight},
        {Command7, &Form1::shiftLeft},   {Command8, &Form1::shiftRight},
        {Command22, &Form1::shiftUp},    {Command21, &Form1::shiftDown}};
    for (const auto& [button, move] : moves)
        connect(button, &QPushButton::clicked, this, [this, move = move] {
            (this->*move)();
            changed();
        });
}

void Form1::createActions() {
    const auto action = [this](const char* name, const QString& text,
                               const QList<QKeySequence>& keys, void (Form1::*handler)()) {
        connect(common::addWindowAction(this, name, text, keys), &QAction::triggered, this,
                handler);
    };
    action("undo", QStringLiteral("撤销"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &Form1::undo);
    action("redo", QStringLiteral("重做"),
           {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
           &Form1::redo);
    action("print", QStringLiteral("打印…"), {QKeySequence(Qt::CTRL | Qt::Key_P)},
           &Form1::printPlan);
}

void Form1::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(px(kStatusBarHeight));
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->installEventFilter(this);
        StatusBar1[i] = panel;
    }
    // Panel 1 takes whatever room the narrowed window leaves, so that all
    // three, and the double-click target in panel 3, stay in view.
    const QString designer = QStringLiteral("设计：") + kAuthor;
    StatusBar1[2]->setText(designer);
    StatusBar1[2]->setToolTip(designer);
    StatusBar1[0]->setMinimumWidth(px(1440));
    StatusBar1[1]->setFixedWidth(px(1200));
    // Panel 3 keeps its designed width unless the designer's name needs more
    // in the desktop's font; panel 1 gives up the room.
    StatusBar1[2]->setFixedWidth(qMax(px(1701), StatusBar1[2]->sizeHint().width()));
    bar->addWidget(StatusBar1[0], 1);
    bar->addPermanentWidget(StatusBar1[1]);
    bar->addPermanentWidget(StatusBar1[2]);
}

void Form1::load() {
    setFixedSize(px(kOuterWidth), px(kClientHeight));
    Frame1->hide();
    Frame1->move(px(120), px(120));
    Label1->setText(kInstructions.join(QLatin1Char('\n')));
    m_selected = 0;
    m_pending = false;
    m_fileName = kDefaultPlanFile;
    startupLoad();
    StatusBar1[0]->setText(windowTitle() + QLatin1Char(' ') + kWebAddress);
    StatusBar1[1]->setText(QStringLiteral("版本:") + versionText());
}

void Form1::startupLoad() {
    if (!QFileInfo::exists(kDefaultPlanFile))
        return;
    std::vector<QString> items;
    QString error;
    if (!readPlanItems(kDefaultPlanFile, kSeats + 1, items, error)) {
        m_startupError = error;
        return;
    }
    SeatPlan plan = seatPlan();
    bool back = podiumBack();
    applyStartupItems(plan, back, items);
    setSeatPlan(plan);
    if (back != podiumBack())
        togglePodium();
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The width is the outer width, border included, as the desktop draws it.
    const int border = frameGeometry().width() - width();
    if (border > 0)
        setFixedWidth(px(kOuterWidth) - border);
    if (!m_startupError.isEmpty()) {
        // Told after the window is up, so the user sees which program speaks.
        QTimer::singleShot(0, this, [this] {
            const QString error = std::exchange(m_startupError, QString());
            reportFileError(QStringLiteral("无法读取上次保存的座位表，本次从空白座位表开始。"),
                            kDefaultPlanFile, error);
        });
    }
}

SeatPlan Form1::seatPlan() const {
    SeatPlan plan;
    for (int seat = 0; seat < kSeats; ++seat)
        plan[seat] = Command1[seat]->caption();
    return plan;
}

void Form1::setSeatPlan(const SeatPlan& plan) {
    for (int seat = 0; seat < kSeats; ++seat)
        Command1[seat]->setCaption(plan[seat]);
}

bool Form1::podiumBack() const {
    return Text1->isHidden();
}

void Form1::swapSeat(int seat) {
    if (!m_pending) {
        m_pending = true;
        m_selected = seat;
        return;
    }
    const int first = std::exchange(m_selected, 0);
    m_pending = false;
    exchangeSeats(first, seat);
}

void Form1::exchangeSeats(int from, int to) {
    const QString kept = Command1[from]->caption();
    Command1[from]->setCaption(Command1[to]->caption());
    Command1[to]->setCaption(kept);
    changed();
}

void Form1::togglePodium() {
    Text1->setVisible(Text1->isHidden());
    Text2->setVisible(Text1->isHidden());
}

void Form1::movePlan(SeatPlan (*move)(const SeatPlan&)) {
    m_snapshot = seatPlan();
    setSeatPlan(move(m_snapshot));
}

void Form1::rotate() {
    movePlan(quorlen::rotate);
    // A half turn of the room puts the podium at the other end.
    togglePodium();
}

void Form1::flipUpDown() {
    movePlan(quorlen::flipUpDown);
}

void Form1::flipLeftRight() {
    movePlan(quorlen::flipLeftRight);
}

void Form1::shiftLeft() {
    movePlan(quorlen::shiftLeft);
}

void Form1::shiftRight() {
    movePlan(quorlen::shiftRight);
}

void Form1::shiftUp() {
    movePlan(quorlen::shiftUp);
}

void Form1::shiftDown() {
    movePlan(quorlen::shiftDown);
}

void Form1::showExamPanel() {
    shrinkToFit(Label1);
    Frame1->show();
    // The panel lies over the seats, the podium and the command buttons.
    Frame1->raise();
    // Ready for the paste.
    Text3->setFocus();
}

void Form1::hideExamPanel() {
    Frame1->hide();
    // Back where the user came from, rather than on a seat that happened to
    // be next in the tab order.
    Command9->setFocus();
}

void Form1::arrange(const SeatingPattern& pattern) {
    // The box holds one entry per line; only the lines that can be seated
    // are read out, however long the pasted list.
    const common::PastedList list = common::boxLines(*Text3->document(), kSeats);
    setSeatPlan(filledPlan(pattern.family, pattern.rows, list.entries));
    if (pattern.direction == SnakeDirection::Reverse)
        rotate();
    hideExamPanel();
    Text3->clear();
    changed();
}

void Form1::savePlan() {
    const QString error =
        common::writeFileSafely(kDefaultPlanFile, planFileBytes(seatPlan(), podiumBack()));
    if (!error.isEmpty()) {
        reportFileError(QStringLiteral("座位表没有保存，原来的文件保持不变。"), kDefaultPlanFile,
                        error);
        return;
    }
    m_desktop.inform(this, QStringLiteral("保存完成"), QStringLiteral("保存完成"));
}

void Form1::openPlan() {
    const QString name = Cd1.showOpen(m_desktop, this, QStringLiteral("打开"), kPlanFilter);
    if (name.isEmpty())
        return;
    m_fileName = name;
    std::vector<QString> items;
    QString error;
    if (!readPlanItems(name, kSeats, items, error)) {
        reportFileError(QStringLiteral("无法打开座位表，座位没有改变。"), name, error);
        return;
    }
    SeatPlan plan;
    applyOpenedItems(plan, items);
    setSeatPlan(plan);
    changed();
    m_desktop.inform(this, QStringLiteral("打开完成"), QStringLiteral("打开完成"));
}

void Form1::exportPlan() {
    const QString name = Cd1.showSave(m_desktop, this, QStringLiteral("保存"), kExportFilter);
    if (name.isEmpty())
        return;
    m_fileName = common::withRtfExtension(name);
    const QString error = common::writeFileSafely(m_fileName, tableDocument(seatPlan()));
    if (!error.isEmpty()) {
        reportFileError(QStringLiteral("座位表没有导出，同名的原有文件保持不变。"), m_fileName,
                        error);
        return;
    }
    if (m_desktop.askYesNo(this, QStringLiteral("保存完成，是否立即打开查看？"),
                           QStringLiteral("保存完成")))
        m_desktop.openDocument(m_fileName);
}

void Form1::reportFileError(const QString& what, const QString& fileName, const QString& error) {
    const QString text = QStringLiteral("%1\n\n文件：%2\n原因：%3")
                             .arg(what, QFileInfo(fileName).absoluteFilePath(), error);
    m_desktop.reportError(this, text, windowTitle());
}

void Form1::undo() {
    m_pending = false;
    if (const std::optional<Classroom> state = m_history.undo())
        restore(*state);
}

void Form1::redo() {
    m_pending = false;
    if (const std::optional<Classroom> state = m_history.redo())
        restore(*state);
}

void Form1::restore(const Classroom& state) {
    setSeatPlan(state.plan);
    if (state.podiumBack != podiumBack())
        togglePodium();
}

void Form1::printPlan() {
    m_desktop.printPreview(this, [this](QPrinter& printer) { print(printer); });
}

void Form1::print(QPrinter& printer) const {
    common::PrintedGrid grid{{}, kColumns, {}, {}, {}};
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            grid.seats << Command1[seatIndex(column, row)]->caption();
    (podiumBack() ? grid.boxBelow : grid.boxAbove) = kPodium.trimmed();
    common::printGrids(printer, {grid}, Command1[0]->font());
}

int Form1::seatOf(const QObject* widget) const {
    const auto seat = std::find(Command1.begin(), Command1.end(), widget);
    return seat == Command1.end() ? -1 : int(seat - Command1.begin());
}

int Form1::seatAt(QPoint globalPosition) const {
    return seatOf(centralWidget()->childAt(centralWidget()->mapFromGlobal(globalPosition)));
}

// Pressed on a seat, dragged onto another and let go there, the two swap;
// let go on the seat it started from, it was a click. The seat under the
// pointer shows pressed while the drag goes on.
bool Form1::dragEvent(int seat, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto mark = [this](int on) {
        if (m_dropOn >= 0)
            Command1[m_dropOn]->setDown(false);
        m_dropOn = on;
        if (on >= 0)
            Command1[on]->setDown(true);
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (const int seat = seatOf(watched); seat >= 0 && event->type() >= QEvent::MouseButtonPress &&
                                          event->type() <= QEvent::MouseMove)
        return dragEvent(seat, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 3; ++i) {
            if (watched == StatusBar1[i]) {
                panelDoubleClicked(i + 1);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::panelDoubleClicked(int panel) {
    if (panel == 3)
        showAbout();
}

void Form1::showAbout() {
    frmSplash about(m_desktop, this);
    about.exec();
}

} // namespace quorlen
