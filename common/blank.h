#pragma once
// The blank around a pasted name or a caption: a space or a tab, nothing
// else. Full-width spaces and line ends are a name's own characters there.
// (Quorlen's rule boxes skip a line that is all Unicode white space,
// full-width blanks and line ends included: that test is their own.)

#include <QChar>

namespace common {

constexpr bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}
constexpr bool isBlank(QChar c) {
    return isBlank(char32_t(c.unicode()));
}

} // namespace common
