#include "widgets.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QPixmap>
#include <QStringList>
#include <QTranslator>

namespace common {

QFont songtiFont(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSize(pointSize);
    return font;
}

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

void CaptionButton::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    showCaption();
}

void CaptionButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    showCaption();
}

void CaptionButton::showCaption() {
    // A line break inside a name would push the rest out of the button;
    // on the face it is shown as a blank, the tool tip keeps it.
    QString face = m_caption;
    face.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int room = qMax(0, width() - 6);
    face = fontMetrics().elidedText(face, Qt::ElideRight, room);
    face.replace(QLatin1Char('&'), QLatin1String("&&"));
    setText(face);
    // Rich text is forced and escaped, so that a name like "<b>" is shown as
    // typed instead of being read as markup.
    QString tip;
    if (!m_caption.isEmpty())
        tip = QLatin1String("<p style='white-space:pre'>") + m_caption.toHtmlEscaped() +
              QLatin1String("</p>");
    if (!m_note.isEmpty())
        tip += QLatin1String("<p>") + m_note.toHtmlEscaped() + QLatin1String("</p>");
    setToolTip(tip);
}

void CaptionButton::setNote(const QString& note) {
    m_note = note;
    showCaption();
}

void installChineseTranslations(QObject* application) {
    // The catalogue built into the program first: Windows has no Qt
    // translations installed beside it.
    auto* translator = new QTranslator(application);
    if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")) ||
        translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

QAction* addWindowAction(QWidget* window, const char* name, const QString& text,
                         const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    window->addAction(action);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

void installWindowIcon() {
    QIcon icon;
    const QDir images(QStringLiteral(":/icon"));
    for (const QString& name : images.entryList(QDir::Files)) {
        // Read as the PNG it is: left to guess, Qt would load every image
        // format plugin first, which costs half a megabyte at start.
        QImageReader png(images.filePath(name), "png");
        png.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(png.read()));
    }
    QApplication::setWindowIcon(icon);
}

} // namespace common
