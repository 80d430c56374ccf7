#pragma once
// File helpers shared by the tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The full path of a name in the current folder, as a file dialog returns it.
inline QString here(const QString& name) {
    return QDir::current().filePath(name);
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An empty folder that is the current one for as long as this lives, so a
// window starts without a saved plan and writes nowhere else.
class TemporaryCurrentDir {
public:
    TemporaryCurrentDir() { QDir::setCurrent(m_dir.path()); }
    ~TemporaryCurrentDir() { QDir::setCurrent(m_old); }
    TemporaryCurrentDir(const TemporaryCurrentDir&) = delete;
    TemporaryCurrentDir& operator=(const TemporaryCurrentDir&) = delete;

    bool isCurrent() const { return m_dir.isValid() && QDir::current() == QDir(m_dir.path()); }

private:
    QString m_old = QDir::currentPath();
    QTemporaryDir m_dir;
};
