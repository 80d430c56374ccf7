// The persons per room, from whatever was typed: always finite, always 20
// to 36, and a plain decimal number read as the C library reads it.

#include "fuzz/fuzzcheck.h"
#include "rooms/distribute.h"

#include <QRegularExpression>
#include <cmath>

using namespace brasset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QRegularExpression plain(
        QStringLiteral("^[ \\t]*[+-]?([0-9]{1,12}(\\.[0-9]{0,6})?|\\.[0-9]{1,6})(?![0-9.])"));
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    const double value = leadingNumber(text);
    FUZZ_CHECK(std::isfinite(value));
    const QRegularExpressionMatch match = plain.match(text);
    if (match.hasMatch()) {
        const double expected = std::strtod(match.captured(0).toLatin1().constData(), nullptr);
        FUZZ_CHECK(std::fabs(value - expected) <= 1e-9 * std::max(1.0, std::fabs(expected)));
    }
    const double persons = personsPerRoom(text);
    FUZZ_CHECK(persons >= kFewestPersons && persons <= kMostPersons);
    FUZZ_CHECK(persons == value || persons == kFallbackPersons);
    return 0;
}
