#pragma once
// A desktop for tests: it answers dialogs and questions from queues filled by
// the test and records everything the window showed, so no test ever waits
// on a modal box.

#include "desktop.h"

#include <QQueue>
#include <QString>
#include <QStringList>

struct ShownBox {
    QString kind; // "inform", "ask", "error", "open", "save"
    QString text;
    QString title;
    QString filter;
};

class ScriptedDesktop final : public common::Desktop {
public:
    QQueue<QString> fileNames; // answers to the file dialogs; "" cancels
    QQueue<bool> answers;      // answers to Yes/No questions
    QList<ShownBox> shown;     // every box and dialog, in order
    QStringList offeredNames;  // the name each file dialog offered
    QStringList openedDocuments;
    QStringList openedAddresses;

    QString openFileName(QWidget*, const QString& title, const QString& filter,
                         const QString& fileName) override {
        return dialog(QStringLiteral("open"), title, filter, fileName);
    }
    QString saveFileName(QWidget*, const QString& title, const QString& filter,
                         const QString& fileName) override {
        return dialog(QStringLiteral("save"), title, filter, fileName);
    }
    void inform(QWidget*, const QString& text, const QString& title) override {
        shown.append({QStringLiteral("inform"), text, title, {}});
    }
    bool askYesNo(QWidget*, const QString& text, const QString& title) override {
        shown.append({QStringLiteral("ask"), text, title, {}});
        return answers.isEmpty() ? false : answers.dequeue();
    }
    void reportError(QWidget*, const QString& text, const QString& title) override {
        shown.append({QStringLiteral("error"), text, title, {}});
    }
    void openDocument(const QString& path) override { openedDocuments << path; }
    void openAddress(const QString& address) override { openedAddresses << address; }

    QStringList kinds() const {
        QStringList list;
        for (const ShownBox& box : shown)
            list << box.kind;
        return list;
    }

private:
    QString dialog(const QString& kind, const QString& title, const QString& filter,
                   const QString& fileName) {
        shown.append({kind, {}, title, filter});
        offeredNames << fileName;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
};
