#pragma once
// Small pieces of the windows that both programs share: layout units, the
// Chinese serif font, the seat button that shows a name exactly, the
// window actions, the program icon.

#include <QFont>
#include <QKeySequence>
#include <QPushButton>
#include <QRect>

class QAction;

namespace common {

// Layouts are given in twips; one device-independent pixel is 15 twips, and
// Qt scales from there on high-DPI screens.
constexpr int px(int twips) {
    return (twips * 2 + 15) / 30;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

// SimSun at the given size, or the nearest CJK serif font installed, or any
// CJK font, so that Chinese never shows as empty boxes.
QFont songtiFont(int pointSize);

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showCaption();
    QString m_caption;
    QString m_note;
};

} // namespace common

namespace common {

// The programs speak Chinese, so Qt's own dialogs and buttons (the file
// dialog, Yes/No, OK) do too, whatever the desktop's language is; without
// the translation files they stay in English.
void installChineseTranslations(QObject* application);

// An action of the window, reached by its shortcuts and from the window's
// context menu, which shows them; the window keeps its layout.
QAction* addWindowAction(QWidget* window, const char* name, const QString& text,
                         const QList<QKeySequence>& keys);

// The program's own icon on every window it opens, for the title bar and the
// taskbar: the images its build drew from its SVG (":/icon/SIZE.png").
void installWindowIcon();

} // namespace common
