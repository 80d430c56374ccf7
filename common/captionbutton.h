#pragma once
// The seat button of both programs: it shows a name exactly as it was put in.

#include <QPushButton>
#include <QString>

namespace common {

// A push button whose caption is free text: it is stored exactly as set and
// shown literally ("&" is no mnemonic), cut with an ellipsis when it is wider
// than the button, with the whole text, and a note, as tool tip.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // A line the tool tip shows under the caption, on an empty seat too.
    void setNote(const QString& note);
    // A mark drawn round the face, with its own line in the tool tip; the
    // caption stays as it is.
    void setMark(const QString& note);
    bool isMarked() const { return !m_mark.isEmpty(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showCaption();
    QString m_caption;
    QString m_note;
    QString m_mark;
};

} // namespace common
