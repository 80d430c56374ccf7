#include "about.h"

#include "layout.h"
#include "product.h"

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

frmSplash::frmSplash(common::Desktop& desktop, QWidget* owner)
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

void frmSplash::createControls() {
    Frame1 =
        common::placed<QGroupBox>(QStringLiteral("Frame1"), twipsRect(120, 0, 5160, 2235), this);
    Frame1->installEventFilter(this);
    lblProductName = addLabel("lblProductName", QStringLiteral("软件名称"), 360, 480, 1500, 360);
    Label1 = addLabel("Label1", QStringLiteral("版本"), 480, 1080, 1095, 255);
    lblWarning = addLabel("lblWarning", QStringLiteral("作者：") + kAuthor, 2520, 480, 1005, 195);
    Label4 = addLabel("Label4", QStringLiteral("E-mail:") + kEmail, 2520, 840, 2415, 255);
    lblCompany = addLabel("lblCompany", kWebAddress, 2520, 1200, 2415, 255);
    Label2 = addLabel("Label2", QStringLiteral("感谢使用！有建议和需求请与我联系！"), 960, 1680,
                      3135, 255);
}

void frmSplash::styleLabels() {
    QFont productFont = common::songtiFont(18);
    productFont.setBold(true);
    lblProductName->setFont(productFont);
    // The web address looks like a link: underlined, in the highlight colour.
    QFont linkFont = common::songtiFont(9);
    linkFont.setUnderline(true);
    lblCompany->setFont(linkFont);
    QPalette linkPalette = lblCompany->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Highlight));
    lblCompany->setPalette(linkPalette);
    lblCompany->setCursor(Qt::PointingHandCursor);
}

QLabel* frmSplash::addLabel(const char* name, const QString& text, int left, int top, int width,
                            int height) {
    auto* label = common::placed<QLabel>(QLatin1String(name), twipsRect(left, top, width, height),
                                         text, Frame1);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->installEventFilter(this);
    return label;
}

void frmSplash::load() {
    lblProductName->setText(parentWidget() ? parentWidget()->window()->windowTitle()
                                           : kWindowCaption);
    Label1->setText(QStringLiteral("V") + versionText());
    // A text longer than its designed box (another font, a longer name) gets
    // the room it needs instead of being cut off.
    for (QLabel* label : Frame1->findChildren<QLabel*>())
        label->resize(label->size().expandedTo(label->sizeHint()));
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    if (!typesSomething(*event)) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    accept();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
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

void frmSplash::clicked(QObject* target) {
    if (target == lblCompany)
        m_desktop.openAddress(kWebAddress);
    else
        accept();
}

} // namespace quorlen
