// The plan reader on any bytes a file may hold: it ends, it hands back at
// most the items asked for, a long item is cut without moving the items
// after it, and any plan Save writes reads back as it was, by Open and at
// start.

#include "common/ansitext.h"
#include "fuzz/fuzzcheck.h"
#include "seating/listinput.h"
#include "seating/planfile.h"

#include <QBuffer>

using namespace quorlen;

namespace {
std::vector<QString> read(const QByteArray& bytes, int count, qsizetype maxItemBytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ListInputReader reader(buffer, maxItemBytes);
    std::vector<QString> items;
    items.reserve(std::min(count, 64));
    while (int(items.size()) < count && !reader.atEnd())
        items.push_back(reader.readItem());
    // Every item but the last takes at least its delimiter.
    FUZZ_CHECK(qsizetype(items.size()) <= bytes.size());
    return items;
}

void savedPlanReadsBack(const QByteArray& bytes, bool back) {
    SeatPlan plan; // captions cut out of the input at DEL, as GBK keeps them
    const QList<QByteArray> parts = bytes.split('\x7F');
    for (int seat = 0; seat < kSeats && seat < parts.size(); ++seat)
        plan[seat] = common::fromAnsi(common::toAnsi(common::fromAnsi(parts[seat])));
    const std::vector<QString> items = read(planFileBytes(plan, back), kSeats + 1, 1 << 20);
    const SeatPlan opened = openedPlan(items);
    const Classroom loaded = startupClassroom(items);
    FUZZ_CHECK(loaded.podiumBack == back);
    for (int seat = 0; seat < kSeats; ++seat) {
        const QString expected = isEmptySeatMarker(plan[seat]) ? QString() : plan[seat];
        FUZZ_CHECK(opened[seat] == expected && loaded.plan[seat] == expected);
    }
}
} // namespace

// The first byte sets how many items to ask for and the podium side, the
// second how far to cut an item and which of the two checks to run.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const QByteArray bytes = fuzzBytes(data + 2, size - 2);
    if (data[1] & 0x80) {
        savedPlanReadsBack(bytes, data[0] & 0x80);
        return 0;
    }
    const int count = data[0] % 40;
    const qsizetype cut = 1 + data[1] % 64;
    const std::vector<QString> all = read(bytes, 1 << 20, 1 << 20);
    const std::vector<QString> first = read(bytes, count, 1 << 20);
    FUZZ_CHECK(first.size() == std::min<size_t>(all.size(), count));
    // Open replaces every seat, those a short file leaves out too.
    const SeatPlan opened = openedPlan(first);
    for (size_t seat = 0; seat < kSeats; ++seat)
        FUZZ_CHECK(
            opened[seat] ==
            (seat < first.size() && !isEmptySeatMarker(first[seat]) ? first[seat] : QString()));
    const std::vector<QString> cutShort = read(bytes, 1 << 20, cut);
    FUZZ_CHECK(cutShort.size() == all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        FUZZ_CHECK(cutShort[i].size() <= cut);
        if (common::toAnsi(all[i]).size() < cut / 2)
            FUZZ_CHECK(cutShort[i] == all[i]);
    }
    return 0;
}
