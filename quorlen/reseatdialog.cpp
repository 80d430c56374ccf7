#include "quorlen/reseatdialog.h"

#include "common/seed.h"
#include "seating/rules.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace quorlen {

namespace {
constexpr RuleKind kBoxKinds[] = {RuleKind::Apart, RuleKind::Together, RuleKind::Front};

} // namespace

ReseatDialog::ReseatDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("reseatDialog"));
    setWindowTitle(QStringLiteral("随机排座"));
    auto* column = new QVBoxLayout(this);
    const auto label = [&](const QString& text, QWidget* buddy) {
        auto* widget = new QLabel(text, this);
        widget->setWordWrap(true);
        widget->setBuddy(buddy);
        column->addWidget(widget);
    };

    m_seed = new QLineEdit(this);
    m_seed->setObjectName(QStringLiteral("seed"));
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{1,10}")), this));
    auto* another = new QPushButton(QStringLiteral("换一个"), this);
    another->setAutoDefault(false);
    connect(another, &QPushButton::clicked, this, [this] {
        m_seed->setText(QString::number(QRandomGenerator::global()->bounded(1000000)));
    });
    auto* seedLabel = new QLabel(QStringLiteral("种子(&S)："), this);
    seedLabel->setBuddy(m_seed);
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seedLabel);
    seedRow->addWidget(m_seed, 1);
    seedRow->addWidget(another);
    column->addLayout(seedRow);
    label(QStringLiteral("同一个班、同样的规则和种子，排出的座位也一样。"), nullptr);

    const char* const names[] = {"apart", "together", "front"};
    const QString labels[] = {
        QStringLiteral(
            "不相邻(&A)：每行两个名字，用逗号、顿号或 Tab 隔开，这两人不坐前后左右和斜对角"),
        QStringLiteral("同桌(&T)：每行两个名字，这两人坐同一排、挨着"),
        QStringLiteral("靠前(&F)：每行一个名字，坐离讲台最近的两排")};
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = new QPlainTextEdit(this);
        m_boxes[i]->setObjectName(QLatin1String(names[i]));
        m_boxes[i]->setTabChangesFocus(false);
        m_boxes[i]->setFixedHeight(fontMetrics().lineSpacing() * 4);
        connect(m_boxes[i], &QPlainTextEdit::textChanged, this, &ReseatDialog::edited);
        label(labels[i], m_boxes[i]);
        column->addWidget(m_boxes[i]);
    }
    m_fixed = new QLabel(this);
    m_fixed->setWordWrap(true);
    column->addWidget(m_fixed);
    m_notes = new QListWidget(this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setWordWrap(true);
    m_notes->setFixedHeight(fontMetrics().lineSpacing() * 6);
    column->addWidget(m_notes);

    auto* buttons = new QDialogButtonBox(this);
    m_run = buttons->addButton(QStringLiteral("排座"), QDialogButtonBox::AcceptRole);
    m_run->setObjectName(QStringLiteral("run"));
    m_run->setDefault(true);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("close"));
    // The run keeps the dialog open; only "关闭" and Escape close it.
    connect(buttons, &QDialogButtonBox::accepted, this, &ReseatDialog::runRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    connect(m_seed, &QLineEdit::textChanged, this, &ReseatDialog::edited);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
}

void ReseatDialog::start(const Classroom& room) {
    m_plan = room.plan;
    for (int i = 0; i < 3; ++i)
        m_boxes[i]->setPlainText(ruleBoxText(kBoxKinds[i], room.rules));
    const auto fixed = std::count(room.fixed.begin(), room.fixed.end(), true);
    m_fixed->setText(
        QStringLiteral("固定座位：%1 个（右键点座位或按 Ctrl+L 固定、取消）").arg(fixed));
    m_seed->setText(QString::number(QRandomGenerator::global()->bounded(1000000)));
    m_boxes[0]->setFocus();
    edited();
}

std::vector<Rule> ReseatDialog::rules() const {
    std::vector<Rule> all;
    for (int i = 0; i < 3; ++i) {
        const std::vector<Rule> read = readRuleBox(kBoxKinds[i], m_boxes[i]->toPlainText()).rules;
        all.insert(all.end(), read.begin(), read.end());
    }
    return all;
}

std::uint32_t ReseatDialog::seed() const {
    return common::seedFrom(m_seed->text()).value_or(0);
}

// Lines that are no rule, and rules whose names are not each on one seat,
// are listed as they are typed. A run waits until every line is a rule and
// the seed is a number, so that no line is left out unnoticed.
void ReseatDialog::check() {
    QStringList notes;
    for (int i = 0; i < 3; ++i)
        notes << readRuleBox(kBoxKinds[i], m_boxes[i]->toPlainText()).problems;
    const bool rulesRead = notes.isEmpty();
    if (!rulesRead)
        notes.prepend(QStringLiteral("这几行不是规则，改好才能排座（关闭时不保留）："));
    for (const Rule& rule : rules())
        if (const QString why = unusableReason(rule, m_plan); !why.isEmpty())
            notes << QStringLiteral("不能用：%1（%2）").arg(ruleText(rule), why);
    const bool seedRead = common::seedFrom(m_seed->text()).has_value();
    if (!seedRead)
        notes << QStringLiteral("种子要写 0 到 4294967295 之间的整数");
    m_run->setEnabled(rulesRead && seedRead);
    m_notes->clear();
    m_notes->addItems(notes + m_result);
}

// What the last run found no longer holds once anything is changed.
void ReseatDialog::edited() {
    m_result.clear();
    check();
}

void ReseatDialog::showResult(const Classroom& room, const std::vector<int>& broken) {
    m_plan = room.plan;
    QStringList result;
    const bool allUsable = std::all_of(room.rules.begin(), room.rules.end(), [&](const Rule& r) {
        return unusableReason(r, room.plan).isEmpty();
    });
    if (broken.empty())
        result << (allUsable ? QStringLiteral("已按种子 %1 排好，规则都满足。")
                             : QStringLiteral("已按种子 %1 排好，能用的规则都满足。"))
                      .arg(seed());
    else
        result << QStringLiteral(
                      "已按种子 %1 排好。找到的座位中这样违反的规则最少，仍有 %2 条没满足：")
                      .arg(seed())
                      .arg(broken.size());
    for (const int index : broken)
        result << QStringLiteral("没满足：") + ruleText(room.rules[index]);
    m_result = result;
    check();
}

} // namespace quorlen
