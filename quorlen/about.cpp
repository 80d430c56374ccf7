#include "quorlen/about.h"

#include "common/layout.h"
#include "quorlen/product.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace quorlen {

using common::px;
using common::twipsRect;

namespace {
// Only a key that types something answers the window: a character, Enter,
// Escape, Space or Backspace. Arrows, function keys, Home, End and the page
// keys, the locks, the menu key and a modifier on its own (the start of
// Alt+Tab or of switching the input method) leave it open.
bool typesSomething(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
    case Qt::Key_Backspace:
        return true;
    default:
        return !key.text().isEmpty() && key.text().front().isPrint();
    }
}
} // namespace

AboutWindow::AboutWindow(common::Desktop& desktop, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_desktop(desktop) {
    setObjectName(QStringLiteral("frmSplash"));
    // The window has no title text. Left empty, Qt would put the program's
    // name there instead, so it is a blank.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(px(5385), px(2355));
    createControls();
    styleLabels();
    load();
}

void AboutWindow::createControls() {
    m_frame =
        common::placed<QGroupBox>(QStringLiteral("Frame1"), twipsRect(120, 0, 5160, 2235), this);
    m_frame->installEventFilter(this);
    m_programNameLabel =
        addLabel("lblProductName", QStringLiteral("软件名称"), 360, 480, 1500, 360);
    m_versionLabel = addLabel("Label1", QStringLiteral("版本"), 480, 1080, 1095, 255);
    m_authorLabel =
        addLabel("lblWarning", QStringLiteral("作者：") + kAuthor, 2520, 480, 1005, 195);
    m_emailLabel = addLabel("Label4", QStringLiteral("E-mail:") + kEmail, 2520, 840, 2415, 255);
    m_addressLabel = addLabel("lblCompany", kWebAddress, 2520, 1200, 2415, 255);
    m_thanksLabel = addLabel("Label2", QStringLiteral("感谢使用！有建议和需求请与我联系！"), 960,
                             1680, 3135, 255);
}

void AboutWindow::styleLabels() {
    QFont productFont = common::songtiFont(18);
    productFont.setBold(true);
    m_programNameLabel->setFont(productFont);
    // The web address looks like a link: underlined, in the highlight colour.
    QFont linkFont = common::songtiFont(9);
    linkFont.setUnderline(true);
    m_addressLabel->setFont(linkFont);
    QPalette linkPalette = m_addressLabel->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Highlight));
    m_addressLabel->setPalette(linkPalette);
    m_addressLabel->setCursor(Qt::PointingHandCursor);
}

QLabel* AboutWindow::addLabel(const char* name, const QString& text, int left, int top, int width,
                              int height) {
    auto* label = common::placed<QLabel>(QLatin1String(name), twipsRect(left, top, width, height),
                                         text, m_frame);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->installEventFilter(this);
    return label;
}

void AboutWindow::load() {
    m_programNameLabel->setText(parentWidget() ? parentWidget()->window()->windowTitle()
                                               : kWindowCaption);
    m_versionLabel->setText(QStringLiteral("V") + versionText());
    // A text longer than the box laid out for it (another font, a longer name) gets
    // the room it needs instead of being cut off.
    for (QLabel* label : m_frame->findChildren<QLabel*>())
        label->resize(label->size().expandedTo(label->sizeHint()));
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    if (!typesSomething(*event)) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    accept();
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    // A click is a left press and release on the same label or on the frame.
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!press && !release)
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
    const auto* widget = static_cast<QWidget*>(watched);
    if (release && widget->rect().contains(mouse->position().toPoint()))
        clicked(watched);
    return true;
}

void AboutWindow::clicked(QObject* target) {
    if (target == m_addressLabel)
        m_desktop.openAddress(kWebAddress);
    else
        accept();
}

} // namespace quorlen
