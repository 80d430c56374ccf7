#pragma once
// A typed random seed: a whole number from 0 to 4294967295, as Quorlen's
// 随机排座, the 考务编排 window and Brasset's --seed all take it. Blanks
// around it are allowed, as Qt reads numbers.

#include <QString>
#include <cstdint>
#include <optional>

namespace common {

inline std::optional<std::uint32_t> seedFrom(const QString& text) {
    bool ok = false;
    const qulonglong seed = text.toULongLong(&ok);
    if (!ok || seed > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(seed);
}

} // namespace common
