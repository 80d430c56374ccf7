#include "captionbutton.h"

#include <QFontMetrics>

namespace common {

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

} // namespace common
