#include "common/desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>
#include <QUrl>

namespace common {

namespace {
// Filters reach the Desktop in the "description|pattern|..." form, pairs
// separated by bars; QFileDialog takes "description (patterns);;...".
QString qtFileFilter(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last parentheses of an entry; a
        // description that already ends with them is used as it stands.
        if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}
} // namespace

QString QtDesktop::openFileName(QWidget* parent, const QString& title, const QString& filter,
                                const QString& fileName) {
    return QFileDialog::getOpenFileName(parent, title, fileName, qtFileFilter(filter));
}

QString QtDesktop::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                const QString& fileName) {
    // The dialog asks nothing about a file that exists; the caller decides.
    // The exports and "保存考务" replace it (an export then offers to open
    // what it wrote); "保存座位表为" asks in its own words, with the full path.
    return QFileDialog::getSaveFileName(parent, title, fileName, qtFileFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtDesktop::inform(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDesktop::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtDesktop::reportError(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtDesktop::askText(QWidget* parent, const QString& label,
                                          const QString& title, const QString& text) {
    bool ok = false;
    QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? std::optional<QString>(answer) : std::nullopt;
}

void QtDesktop::openDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void QtDesktop::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

void QtDesktop::printPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* pages) { paint(*pages); });
    preview.exec();
}

void reportFileError(Desktop& desktop, QWidget* parent, const FileError& error,
                     const QString& title) {
    const QString text =
        QStringLiteral("%1\n\n文件：%2\n原因：%3")
            .arg(error.what, QFileInfo(error.path).absoluteFilePath(), error.reason);
    desktop.reportError(parent, text, title);
}

QString CommonDialog::showOpen(Desktop& desktop, QWidget* parent, const QString& title,
                               const QString& filter) {
    return remember(desktop.openFileName(parent, title, filter, m_fileName));
}

QString CommonDialog::showSave(Desktop& desktop, QWidget* parent, const QString& title,
                               const QString& filter) {
    return remember(desktop.saveFileName(parent, title, filter, m_fileName));
}

QString CommonDialog::remember(const QString& chosen) {
    if (!chosen.isEmpty())
        m_fileName = chosen;
    return chosen;
}

} // namespace common
