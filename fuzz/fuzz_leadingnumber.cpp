// The persons per room, read from whatever was typed: the number is always
// finite, the persons always 20 to 36, and a plain decimal number is read
// as the C library reads it.

#include "arrange.h"
#include "fuzzcheck.h"

#include <QRegularExpression>

#include <cmath>

using namespace brasset;

namespace {
// Blanks, a sign, digits and a fraction: what both readings agree on.
const QRegularExpression kPlainNumber(QStringLiteral("^[ \\t]*[+-]?([0-9]{1,12}(\\.[0-9]{0,6})?"
                                                     "|\\.[0-9]{1,6})(?![0-9.])"));

void plainNumbersReadAsTheCLibraryDoes(const QString& text, double value) {
    const QRegularExpressionMatch match = kPlainNumber.match(text);
    if (!match.hasMatch())
        return;
    const QByteArray digits = match.captured(0).toLatin1();
    const double expected = std::strtod(digits.constData(), nullptr);
    FUZZ_CHECK(std::fabs(value - expected) <= 1e-9 * std::max(1.0, std::fabs(expected)));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    const double value = leadingNumber(text);
    FUZZ_CHECK(std::isfinite(value));
    plainNumbersReadAsTheCLibraryDoes(text, value);

    const double persons = personsPerRoom(text);
    FUZZ_CHECK(persons >= kFewestPersons && persons <= kMostPersons);
    FUZZ_CHECK(persons == value || persons == kFallbackPersons);

    const qsizetype names = text.size();
    const int rooms = roomCount(names, persons);
    FUZZ_CHECK(rooms >= 0 && rooms <= kRooms);
    FUZZ_CHECK((rooms == 0) == (names == 0));
    return 0;
}
