// The seat-plan reader on any bytes a file may hold: it ends, it never hands
// back more items than were asked for, a long item is cut without moving the
// items after it, and every plan Save writes is read back as it was.

#include "ansitext.h"
#include "fuzzcheck.h"
#include "listinput.h"
#include "planfile.h"

#include <QBuffer>

using namespace quorlen;

namespace {
std::vector<QString> readAll(const QByteArray& bytes, qsizetype maxItemBytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ListInputReader reader(buffer, maxItemBytes);
    std::vector<QString> items;
    while (!reader.atEnd()) {
        items.push_back(reader.readItem());
        // Every item but the last takes at least its delimiter.
        FUZZ_CHECK(qsizetype(items.size()) <= bytes.size());
    }
    return items;
}

void readsAtMostWhatIsAsked(const QByteArray& bytes, int count) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<QString> items;
    QString error;
    FUZZ_CHECK(readPlanItems(buffer, count, items, error));
    FUZZ_CHECK(qsizetype(items.size()) <= count);
    const std::vector<QString> all = readAll(bytes, ListInputReader::kMaxItemBytes);
    FUZZ_CHECK(items.size() == std::min<size_t>(all.size(), size_t(count)));
    FUZZ_CHECK(std::equal(items.begin(), items.end(), all.begin()));
}

void cuttingKeepsTheItemsApart(const QByteArray& bytes, qsizetype maxItemBytes) {
    const std::vector<QString> whole = readAll(bytes, ListInputReader::kMaxItemBytes);
    const std::vector<QString> cut = readAll(bytes, maxItemBytes);
    FUZZ_CHECK(cut.size() == whole.size());
    for (size_t i = 0; i < cut.size(); ++i) {
        // One byte decodes to at most one character.
        FUZZ_CHECK(cut[i].size() <= maxItemBytes);
        if (common::toAnsi(whole[i]).size() < maxItemBytes / 2)
            FUZZ_CHECK(cut[i] == whole[i]);
    }
}

// The captions of a plan, cut out of the input at DEL characters, as the
// GBK file keeps them.
SeatPlan planFrom(const QByteArray& bytes) {
    SeatPlan plan;
    const QList<QByteArray> parts = bytes.split('\x7F');
    for (int seat = 0; seat < kSeats && seat < parts.size(); ++seat)
        plan[seat] = common::fromAnsi(common::toAnsi(common::fromAnsi(parts[seat])));
    return plan;
}

void savedPlansReadBack(const QByteArray& bytes, bool podiumBack) {
    const SeatPlan plan = planFrom(bytes);
    QBuffer buffer;
    buffer.setData(planFileBytes(plan, podiumBack));
    buffer.open(QIODevice::ReadOnly);
    std::vector<QString> items;
    QString error;
    FUZZ_CHECK(readPlanItems(buffer, kSeats + 1, items, error));
    FUZZ_CHECK(items.size() == size_t(kSeats + (podiumBack ? 1 : 0)));

    SeatPlan opened;
    applyOpenedItems(opened, items);
    SeatPlan loaded;
    bool loadedBack = false;
    applyStartupItems(loaded, loadedBack, items);
    FUZZ_CHECK(loadedBack == podiumBack);
    for (int seat = 0; seat < kSeats; ++seat) {
        // The word "NULL" in a seat stands for an empty seat in the file.
        const QString expected = isEmptySeatMarker(plan[seat]) ? QString() : plan[seat];
        FUZZ_CHECK(opened[seat] == expected);
        FUZZ_CHECK(loaded[seat] == expected);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int count = data[0] % 40;
    const qsizetype maxItemBytes = 1 + data[1] % 64;
    const QByteArray bytes = fuzzBytes(data + 2, size - 2);
    readsAtMostWhatIsAsked(bytes, count);
    cuttingKeepsTheItemsApart(bytes, maxItemBytes);
    savedPlansReadBack(bytes, data[0] & 0x80);
    return 0;
}
