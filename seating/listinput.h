#pragma once
// Seat-plan files are read item by item: an item ends at a comma or a line
// end, a quoted item may hold commas and line breaks, and an empty line is an
// empty item. So a name the plan file quotes (planfile.h) reads back as
// itself, and a list of names with commas opens as well as one a line.

#include <QByteArray>
#include <QString>

class QIODevice;

namespace quorlen {

class ListInputReader {
public:
    // Longer items are cut to this many bytes, so that a huge file of one
    // line cannot take the memory; a plan's captions never come near it.
    static constexpr qsizetype kMaxItemBytes = 1 << 20;

    explicit ListInputReader(QIODevice& device, qsizetype maxItemBytes = kMaxItemBytes);

    // True once the whole file has been read.
    bool atEnd();
    // Reads the next item; at the end of the file it reads nothing and
    // returns an empty item.
    QString readItem();

    // Whether the device reported a read error, and its text.
    bool failed() const { return !m_error.isEmpty(); }
    QString errorString() const { return m_error; }

private:
    int peek();
    int get();
    bool fill();
    QByteArrayView readBare(QByteArray& spill);
    void readQuoted(QByteArray& item);
    void skipToDelimiter();
    void append(QByteArray& item, const char* data, qsizetype size) const;

    QIODevice& m_device;
    qsizetype m_maxItemBytes;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_deviceDone = false;
    QString m_error;
};

} // namespace quorlen
