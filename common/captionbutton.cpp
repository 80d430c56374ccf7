#include "common/captionbutton.h"

#include <QFontMetrics>
#include <QPainter>

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
    for (const QString& note : {m_mark, m_note})
        if (!note.isEmpty())
            tip += QLatin1String("<p>") + note.toHtmlEscaped() + QLatin1String("</p>");
    setToolTip(tip);
}

void CaptionButton::setNote(const QString& note) {
    m_note = note;
    showCaption();
}

void CaptionButton::setMark(const QString& note) {
    if (note == m_mark)
        return;
    m_mark = note;
    showCaption();
    update();
}

// A thick orange frame and a star in the corner, so that the mark shows on
// an empty seat too, in any style, and is not taken for the focus.
void CaptionButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (m_mark.isEmpty())
        return;
    QPainter painter(this);
    const QColor colour(0xd3, 0x54, 0x00);
    painter.setPen(QPen(colour, 3));
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    QFont star = font();
    star.setPixelSize(qMax(9, height() / 2));
    painter.setFont(star);
    painter.drawText(rect().adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("\u2605"));
}

} // namespace common
