#pragma once
// Everything a window asks of the desktop (file dialogs, message boxes,
// opening a document or an address) goes through this interface, so that the
// windows can be driven by tests that answer in place of a person.

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace common {

class Desktop {
public:
    virtual ~Desktop() = default;

    // A file dialog; `filter` is in the "description|pattern|..." form and
    // `fileName` the name to offer. Returns the chosen name, or an empty
    // string when the dialog was cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& fileName) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& fileName) = 0;

    // A message with an OK button and no icon.
    virtual void inform(QWidget* parent, const QString& text, const QString& title) = 0;
    // A question with Yes (the default) and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title) = 0;
    // A failure the user must know about.
    virtual void reportError(QWidget* parent, const QString& text, const QString& title) = 0;
    // A line of text, `text` offered; nothing when cancelled. A desktop that
    // cannot ask takes what is offered.
    virtual std::optional<QString> askText(QWidget* /*parent*/, const QString& /*label*/,
                                           const QString& /*title*/, const QString& text) {
        return text;
    }

    // Opens a local file with the program the desktop associates with it, or
    // an address in the browser. Whether that worked is not reported.
    virtual void openDocument(const QString& path) = 0;
    virtual void openAddress(const QString& address) = 0;

    // The print preview, on A4, from which the user prints or saves a PDF;
    // `paint` draws the pages on the printer it is given.
    virtual void printPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) = 0;
};

// The real desktop: QFileDialog, QMessageBox and QDesktopServices.
class QtDesktop final : public Desktop {
public:
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& fileName) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& fileName) override;
    void inform(QWidget* parent, const QString& text, const QString& title) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override;
    void reportError(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> askText(QWidget* parent, const QString& label, const QString& title,
                                   const QString& text) override;
    void openDocument(const QString& path) override;
    void openAddress(const QString& address) override;
    void printPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) override;
};

// A file that could not be read or written: what became of the user's work,
// the file, and the platform's reason. Told in a box with the file's full
// path, so that the user knows which file and where.
struct FileError {
    QString what;
    QString path;
    QString reason;
};
void reportFileError(Desktop& desktop, QWidget* parent, const FileError& error,
                     const QString& title);

// The file dialog of a window: it keeps the name it returned last and offers
// it again the next time, whether it is shown for opening or for saving.
class CommonDialog {
public:
    // Both return the chosen name, or an empty string on cancel; a cancel
    // keeps the remembered name.
    QString showOpen(Desktop& desktop, QWidget* parent, const QString& title,
                     const QString& filter);
    QString showSave(Desktop& desktop, QWidget* parent, const QString& title,
                     const QString& filter);

private:
    QString remember(const QString& chosen);
    QString m_fileName;
};

} // namespace common
