#pragma once
// Quorlen's about window: the program's name and version, the author, the
// maker's addresses and a word of thanks. It is shown modally over the main
// window; a key or a click on it closes it, except a click on the web
// address, which opens that address in the browser and leaves it open.

#include "common/desktop.h"

#include <QDialog>

class QGroupBox;
class QLabel;

namespace quorlen {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // `owner` is the main window: the about window is centred on it and
    // names the program by its caption.
    AboutWindow(common::Desktop& desktop, QWidget* owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void styleLabels();
    QLabel* addLabel(const char* name, const QString& text, int left, int top, int width,
                     int height);
    void load();
    void clicked(QObject* target);

    common::Desktop& m_desktop;
    // Tests and accessibility tools know the controls by their object names,
    // given here after each.
    QGroupBox* m_frame = nullptr;         // Frame1
    QLabel* m_programNameLabel = nullptr; // lblProductName, the main window's caption
    QLabel* m_versionLabel = nullptr;     // Label1
    QLabel* m_authorLabel = nullptr;      // lblWarning
    QLabel* m_emailLabel = nullptr;       // Label4
    QLabel* m_addressLabel = nullptr;     // lblCompany, the web address
    QLabel* m_thanksLabel = nullptr;      // Label2
};

} // namespace quorlen
