#include "seating/listinput.h"

#include "common/ansitext.h"
#include "common/blank.h"

#include <QIODevice>

#include <cstring>

namespace quorlen {

namespace {
constexpr qint64 kChunk = 64 * 1024;

bool isBlank(int c) {
    return c >= 0 && common::isBlank(char32_t(c));
}
bool endsBareItem(char c) {
    return c == ',' || c == '\r' || c == '\n';
}
} // namespace

ListInputReader::ListInputReader(QIODevice& device, qsizetype maxItemBytes)
    : m_device(device), m_maxItemBytes(maxItemBytes) {}

bool ListInputReader::fill() {
    if (m_pos < m_buffer.size())
        return true;
    if (m_deviceDone)
        return false;
    // No bigger than what is left of a file: a plan is a few hundred bytes.
    const qint64 want = m_device.isSequential()
                            ? kChunk
                            : qBound<qint64>(1, m_device.size() - m_device.pos(), kChunk);
    m_buffer.resize(want);
    const qint64 got = m_device.read(m_buffer.data(), want);
    if (got < 0) {
        m_error = m_device.errorString();
        if (m_error.isEmpty())
            m_error = QStringLiteral("read error");
    }
    m_buffer.resize(got > 0 ? got : 0);
    m_pos = 0;
    if (got <= 0) {
        m_deviceDone = true;
        return false;
    }
    return true;
}

int ListInputReader::peek() {
    return fill() ? static_cast<unsigned char>(m_buffer[m_pos]) : -1;
}

int ListInputReader::get() {
    const int c = peek();
    if (c >= 0)
        ++m_pos;
    return c;
}

bool ListInputReader::atEnd() {
    return !fill();
}

void ListInputReader::append(QByteArray& item, const char* data, qsizetype size) const {
    const qsizetype room = m_maxItemBytes - item.size();
    if (room > 0)
        item.append(data, qMin(room, size));
}

QString ListInputReader::readItem() {
    QByteArray item;
    while (isBlank(peek()))
        get();
    if (peek() == '"') {
        get();
        readQuoted(item);
        skipToDelimiter();
        return common::fromAnsi(item);
    }
    // Decoded before the delimiter is passed: a bare item may be a view into
    // the buffer, which reading on refills.
    QString text = common::fromAnsi(readBare(item));
    skipToDelimiter();
    return text;
}

QByteArrayView ListInputReader::readBare(QByteArray& spill) {
    // Whole runs of the buffer are taken at once: a file of one huge line
    // must not be read a byte at a time. An item that lies in the buffer
    // whole, as almost every one does, is not copied at all.
    QByteArrayView item;
    while (fill()) {
        const char* begin = m_buffer.constData() + m_pos;
        const char* end = m_buffer.constData() + m_buffer.size();
        const char* stop = begin;
        while (stop != end && !endsBareItem(*stop))
            ++stop;
        m_pos += stop - begin;
        if (stop != end && spill.isEmpty()) {
            item = QByteArrayView(begin, qMin(stop - begin, m_maxItemBytes));
            break;
        }
        append(spill, begin, stop - begin);
        item = spill;
        if (stop != end)
            break;
    }
    while (!item.isEmpty() && isBlank(item.back()))
        item.chop(1);
    return item;
}

void ListInputReader::readQuoted(QByteArray& item) {
    // A doubled quotation mark inside the quotes stands for one; a missing
    // closing mark lets the item run to the end of the file.
    while (fill()) {
        const char* begin = m_buffer.constData() + m_pos;
        const auto size = static_cast<size_t>(m_buffer.size() - m_pos);
        const auto* quote = static_cast<const char*>(std::memchr(begin, '"', size));
        const qsizetype run = quote ? quote - begin : static_cast<qsizetype>(size);
        append(item, begin, run);
        m_pos += run;
        if (!quote)
            continue;
        get();
        if (peek() != '"')
            return;
        get();
        append(item, "\"", 1);
    }
}

void ListInputReader::skipToDelimiter() {
    // Whatever follows a closing quotation mark up to the delimiter is not
    // part of the item; the delimiter itself is consumed with it.
    for (int c = get(); c >= 0; c = get()) {
        if (c == ',' || c == '\n')
            return;
        if (c == '\r') {
            if (peek() == '\n')
                get();
            return;
        }
    }
}

} // namespace quorlen
