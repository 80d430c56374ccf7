// Rooms and balancing: which rooms an examination takes, whether the
// settings' rooms can be used at all, and how many candidates each room
// seats.

#include "exams/arrange.h"
#include "exams/arrangeparts.h"

#include <algorithm>

namespace exams {

namespace {

int perRoomOf(const Settings& settings) {
    return int(
        std::min<long long>(settings.perRoom, detail::seatsIn(settings.rows, settings.columns)));
}

} // namespace

QString roomSizeProblem(int rows, int columns, int perRoom) {
    if (rows < 1 || columns < 1)
        return QStringLiteral("考场至少要有一排一列座位。");
    if (rows > kMostPerRoom || columns > kMostPerRoom)
        return QStringLiteral("考场最多 %1 行、%1 列座位。").arg(kMostPerRoom);
    if (perRoom < 1)
        return QStringLiteral("每考场至少要坐 1 人。");
    if (const long long seats = detail::seatsIn(rows, columns); perRoom > seats)
        return QStringLiteral("每考场 %1 人，但 %2 行 × %3 列只有 %4 个座位。")
            .arg(perRoom)
            .arg(rows)
            .arg(columns)
            .arg(seats);
    if (perRoom > kMostPerRoom)
        return tooManyInRoom();
    return {};
}

QString tooManyInRoom() {
    return QStringLiteral("每考场最多 %1 人：考号里的座号只有两位。").arg(kMostPerRoom);
}

QString settingsProblem(const Settings& settings) {
    if (settings.rooms.empty())
        return roomSizeProblem(settings.rows, settings.columns, settings.perRoom);
    if (settings.rooms.size() > std::size_t(kMostRooms))
        return QStringLiteral("考场最多 %1 个。").arg(kMostRooms);
    for (std::size_t r = 0; r < settings.rooms.size(); ++r) {
        const Room& room = settings.rooms[r];
        const QString title = roomTitle(int(r));
        if (room.rows < 1 || room.columns < 1)
            return title + QStringLiteral("至少要有一排一列座位。");
        if (room.rows > kMostPerRoom || room.columns > kMostPerRoom)
            return title + QStringLiteral("最多 %1 行、%1 列座位。").arg(kMostPerRoom);
        if (room.capacity < 0 || room.capacity > detail::seatsIn(room))
            return title + QStringLiteral("坐 %1 人，但只有 %2 个座位。")
                               .arg(room.capacity)
                               .arg(detail::seatsIn(room));
        if (room.capacity > kMostPerRoom)
            return title + QStringLiteral("坐 %1 人：").arg(room.capacity) + tooManyInRoom();
    }
    return {};
}

namespace detail {

// How many candidates each room seats: every room filled before the next,
// or balanced: sizes differ by at most one (larger first), except rooms too
// small to take their share, which are full.
std::vector<int> roomCounts(const std::vector<Room>& rooms, int candidates, bool fullRooms) {
    std::vector<int> counts(rooms.size(), 0);
    if (fullRooms) {
        int left = candidates;
        for (std::size_t r = 0; r < rooms.size(); ++r) {
            counts[r] = std::min(rooms[r].capacity, left);
            left -= counts[r];
        }
        return counts;
    }
    const auto filledTo = [&](int level) {
        long long sum = 0;
        for (const Room& room : rooms)
            sum += std::min(room.capacity, level);
        return sum;
    };
    int level = 0; // the highest level all rooms can be filled to
    for (int high = kMostPerRoom; level < high;) {
        const int middle = (level + high + 1) / 2;
        if (filledTo(middle) <= candidates)
            level = middle;
        else
            high = middle - 1;
    }
    int left = candidates - int(filledTo(level));
    for (std::size_t r = 0; r < rooms.size(); ++r) {
        counts[r] = std::min(rooms[r].capacity, level);
        if (left > 0 && rooms[r].capacity > level) {
            ++counts[r];
            --left;
        }
    }
    return counts;
}

} // namespace detail

std::vector<Room> roomsFor(const Settings& settings, int candidates) {
    if (!settingsProblem(settings).isEmpty())
        return {};
    if (!settings.rooms.empty()) {
        long long seats = 0;
        for (const Room& room : settings.rooms)
            seats += room.capacity;
        return seats >= candidates ? settings.rooms : std::vector<Room>{};
    }
    const int needed = roomsNeeded(settings, candidates);
    if (needed > kMostRooms)
        return {};
    return std::vector<Room>(std::size_t(needed),
                             Room{{}, settings.rows, settings.columns, settings.perRoom});
}

int roomsNeeded(const Settings& settings, int candidates) {
    const int perRoom = perRoomOf(settings);
    return perRoom > 0 ? (std::max(candidates, 0) + perRoom - 1) / perRoom : 0;
}

} // namespace exams
