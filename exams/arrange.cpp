#include "arrange.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <random>
#include <tuple>

namespace exams {

namespace {

// 考号 give the seat two digits.
constexpr int kMostPerRoom = 99;

// Random numbers that are the same on every platform: std::mt19937's output
// is fixed by the standard, the standard library's distributions are not.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine(seed) {}
    // Uniform in [0, bound), by rejection so no value is favoured.
    int below(int bound) {
        const auto n = std::uint32_t(bound);
        const std::uint32_t threshold = (0u - n) % n;
        for (;;)
            if (const auto r = std::uint32_t(engine()); r >= threshold)
                return int(r % n);
    }
    template <typename T> void shuffle(std::vector<T>& values) {
        for (std::size_t i = values.size(); i > 1; --i)
            std::swap(values[i - 1], values[std::size_t(below(int(i)))]);
    }

private:
    std::mt19937 engine;
};

int seatsIn(const Room& room) {
    return room.rows * room.columns;
}

int perRoomOf(const Settings& settings) {
    return std::min(settings.perRoom, settings.rows * settings.columns);
}

// Whether the settings' rooms can be used at all; the message says why not.
QString roomsProblem(const Settings& settings) {
    const QString tooMany =
        QStringLiteral("每考场最多 %1 人：考号里的座号只有两位。").arg(kMostPerRoom);
    if (settings.rooms.empty()) {
        if (settings.rows < 1 || settings.columns < 1)
            return QStringLiteral("考场至少要有一排一列座位。");
        if (settings.perRoom < 1)
            return QStringLiteral("每考场至少要坐 1 人。");
        if (settings.perRoom > seatsIn({{}, settings.rows, settings.columns, 0}))
            return QStringLiteral("每考场 %1 人，但考场只有 %2 排 %3 列共 %4 个座位。")
                .arg(settings.perRoom)
                .arg(settings.rows)
                .arg(settings.columns)
                .arg(settings.rows * settings.columns);
        if (settings.perRoom > kMostPerRoom)
            return tooMany;
        return {};
    }
    if (settings.rooms.size() > std::size_t(kMostRooms))
        return QStringLiteral("考场最多 %1 个。").arg(kMostRooms);
    for (std::size_t r = 0; r < settings.rooms.size(); ++r) {
        const Room& room = settings.rooms[r];
        const QString title = QStringLiteral("第%1考场").arg(r + 1);
        if (room.rows < 1 || room.columns < 1)
            return title + QStringLiteral("至少要有一排一列座位。");
        if (room.capacity < 0 || room.capacity > seatsIn(room))
            return title + QStringLiteral("坐 %1 人，但只有 %2 个座位。")
                               .arg(room.capacity)
                               .arg(seatsIn(room));
        if (room.capacity > kMostPerRoom)
            return title + QStringLiteral("坐 %1 人：").arg(room.capacity) + tooMany;
    }
    return {};
}

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

// The used seats of a room and which of them are neighbours, each seat's
// neighbours from first[seat] to first[seat + 1] in `next`.
struct Grid {
    std::vector<int> first;
    std::vector<int> next;
    std::vector<Place> places;
};

Grid gridFor(const Room& room, int used, Fill fill, bool diagonal) {
    used = std::clamp(used, 0, std::max(0, seatsIn(room)));
    Grid grid;
    std::vector<int> at(std::size_t(std::max(0, seatsIn(room))), -1);
    for (int seat = 0; seat < used; ++seat) {
        const Place place = seatPlace(room, fill, seat);
        grid.places.push_back(place);
        at[std::size_t(place.row * room.columns + place.column)] = seat;
    }
    static constexpr std::array<std::pair<int, int>, 8> directions{
        {{0, 1}, {1, 0}, {0, -1}, {-1, 0}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};
    for (int seat = 0; seat < used; ++seat) {
        grid.first.push_back(int(grid.next.size()));
        for (int d = 0; d < (diagonal ? 8 : 4); ++d) {
            const int row = grid.places[std::size_t(seat)].row + directions[std::size_t(d)].first;
            const int column =
                grid.places[std::size_t(seat)].column + directions[std::size_t(d)].second;
            if (row < 0 || row >= room.rows || column < 0 || column >= room.columns)
                continue;
            if (const int other = at[std::size_t(row * room.columns + column)]; other >= 0)
                grid.next.push_back(other);
        }
    }
    grid.first.push_back(int(grid.next.size()));
    return grid;
}

// Grids shared by the rooms of one shape.
class Grids {
public:
    Grids(Fill fill, bool diagonal) : fill(fill), diagonal(diagonal) {}
    const Grid& of(const Room& room, int used) {
        const auto key = std::make_tuple(room.rows, room.columns, used);
        auto found = grids.find(key);
        if (found == grids.end())
            found = grids.emplace(key, gridFor(room, used, fill, diagonal)).first;
        return found->second;
    }

private:
    Fill fill;
    bool diagonal;
    std::map<std::tuple<int, int, int>, Grid> grids;
};

// Classes as numbers; a candidate without a class is nobody's classmate.
std::vector<int> classIds(const CandidateList& list, int* classCount = nullptr) {
    QHash<QString, int> ids;
    std::vector<int> result;
    for (const Candidate& candidate : list.candidates) {
        if (candidate.className.isEmpty()) {
            result.push_back(-1);
            continue;
        }
        const auto found = ids.constFind(candidate.className);
        const int id = found != ids.constEnd() ? *found : int(ids.size());
        if (found == ids.constEnd())
            ids.insert(candidate.className, id);
        result.push_back(id);
    }
    if (classCount)
        *classCount = int(ids.size());
    return result;
}

// "2" before "10": runs of digits compare as numbers, the rest as text.
int naturalCompare(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype iEnd = i, jEnd = j;
            while (iEnd < a.size() && a[iEnd].isDigit())
                ++iEnd;
            while (jEnd < b.size() && b[jEnd].isDigit())
                ++jEnd;
            while (i < iEnd - 1 && a[i] == u'0')
                ++i;
            while (j < jEnd - 1 && b[j] == u'0')
                ++j;
            if (iEnd - i != jEnd - j)
                return iEnd - i < jEnd - j ? -1 : 1;
            if (const int c =
                    QStringView(a).mid(i, iEnd - i).compare(QStringView(b).mid(j, jEnd - j)))
                return c;
            i = iEnd;
            j = jEnd;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j] ? -1 : 1;
            ++i;
            ++j;
        }
    }
    return (i < a.size()) - (j < b.size());
}

// Deals `order` to the rooms, room after room.
std::vector<std::vector<int>> dealInOrder(const std::vector<int>& order,
                                          const std::vector<int>& counts) {
    std::vector<std::vector<int>> seats(counts.size());
    std::size_t next = 0;
    for (std::size_t r = 0; r < counts.size(); ++r)
        for (int i = 0; i < counts[r]; ++i)
            seats[r].push_back(order[next++]);
    return seats;
}

std::vector<int> byClassOrder(const CandidateList& list) {
    std::vector<int> order(list.candidates.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const Candidate& x = list.candidates[std::size_t(a)];
        const Candidate& y = list.candidates[std::size_t(b)];
        if (const int c = naturalCompare(x.className, y.className))
            return c < 0;
        return naturalCompare(x.studentNo, y.studentNo) < 0;
    });
    return order;
}

// Highest score first; candidates without a number in that column last.
std::vector<int> byColumnOrder(const CandidateList& list, int column) {
    std::vector<std::pair<bool, double>> scores;
    for (const Candidate& candidate : list.candidates) {
        bool ok = false;
        const double score = column >= 0 && column < candidate.extra.size()
                                 ? candidate.extra[column].trimmed().toDouble(&ok)
                                 : 0.0;
        scores.emplace_back(ok && std::isfinite(score), score);
    }
    std::vector<int> order(list.candidates.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto& x = scores[std::size_t(a)];
        const auto& y = scores[std::size_t(b)];
        if (x.first != y.first)
            return x.first;
        return x.first && x.second > y.second;
    });
    return order;
}

// One room while classmates are being kept apart: who sits on each used
// seat and their class.
struct MixRoom {
    const Grid* grid = nullptr;
    std::vector<int> who;
    std::vector<int> cls;

    // Classmates of class `c` next to `seat`, not counting the seat `skip`.
    int clashes(int seat, int c, int skip = -1) const {
        if (c < 0)
            return 0;
        int n = 0;
        for (int k = grid->first[std::size_t(seat)]; k < grid->first[std::size_t(seat) + 1]; ++k)
            if (const int other = grid->next[std::size_t(k)];
                other != skip && cls[std::size_t(other)] == c)
                ++n;
        return n;
    }
    int pairs() const {
        int n = 0;
        for (std::size_t seat = 0; seat < cls.size(); ++seat)
            n += clashes(int(seat), cls[seat]);
        return n / 2;
    }
    void swap(int a, int b) {
        std::swap(who[std::size_t(a)], who[std::size_t(b)]);
        std::swap(cls[std::size_t(a)], cls[std::size_t(b)]);
    }
    // How the number of adjacent pairs changes when seats a and b swap.
    int swapGain(int a, int b) const {
        const int ca = cls[std::size_t(a)], cb = cls[std::size_t(b)];
        return clashes(a, cb, b) + clashes(b, ca, a) - clashes(a, ca) - clashes(b, cb);
    }
};

// Min-conflicts search by swaps: a seat with a classmate beside it moves to
// where it clashes least, now and then at random to leave a dead end. Keeps
// the best seating seen; stops at none adjacent.
int settle(MixRoom& room, Draw& draw, int budget) {
    int pairs = room.pairs();
    int bestPairs = pairs;
    std::vector<int> bestWho = room.who, bestCls = room.cls;
    const int size = int(room.cls.size());
    std::vector<int> clashing, best;
    for (int step = 0; step < budget && pairs > 0; ++step) {
        clashing.clear();
        for (int seat = 0; seat < size; ++seat)
            if (room.clashes(seat, room.cls[std::size_t(seat)]) > 0)
                clashing.push_back(seat);
        const int a = clashing[std::size_t(draw.below(int(clashing.size())))];
        int move = -1, gain = 0;
        if (draw.below(10) == 0) {
            move = draw.below(size);
            if (room.cls[std::size_t(move)] == room.cls[std::size_t(a)])
                continue;
            gain = room.swapGain(a, move);
        } else {
            best.clear();
            int bestGain = 0;
            for (int b = 0; b < size; ++b) {
                if (room.cls[std::size_t(b)] == room.cls[std::size_t(a)])
                    continue;
                const int g = room.swapGain(a, b);
                if (best.empty() || g < bestGain) {
                    best.assign(1, b);
                    bestGain = g;
                } else if (g == bestGain) {
                    best.push_back(b);
                }
            }
            if (best.empty())
                break; // all in one class: nothing to swap with
            move = best[std::size_t(draw.below(int(best.size())))];
            gain = bestGain;
        }
        room.swap(a, move);
        pairs += gain;
        if (pairs < bestPairs) {
            bestPairs = pairs;
            bestWho = room.who;
            bestCls = room.cls;
        }
    }
    room.who = std::move(bestWho);
    room.cls = std::move(bestCls);
    return bestPairs;
}

// A start that keeps classes apart by pattern: the seats that touch no
// other of their group (a checkerboard colour, or one corner of each 2x2
// square when diagonals count) filled class by class, largest first.
void patternStart(MixRoom& room, bool diagonal) {
    const std::size_t size = room.who.size();
    std::vector<int> group(size);
    std::array<int, 4> groupSize{};
    for (std::size_t seat = 0; seat < size; ++seat) {
        const Place place = room.grid->places[seat];
        group[seat] =
            diagonal ? (place.row % 2) * 2 + place.column % 2 : (place.row + place.column) % 2;
        ++groupSize[std::size_t(group[seat])];
    }
    std::vector<int> seats(size);
    std::iota(seats.begin(), seats.end(), 0);
    std::stable_sort(seats.begin(), seats.end(), [&](int a, int b) {
        const int ga = group[std::size_t(a)], gb = group[std::size_t(b)];
        return groupSize[std::size_t(ga)] != groupSize[std::size_t(gb)]
                   ? groupSize[std::size_t(ga)] > groupSize[std::size_t(gb)]
                   : ga < gb;
    });
    std::map<int, int> classSize;
    for (const int c : room.cls)
        ++classSize[c];
    std::vector<int> people(size);
    std::iota(people.begin(), people.end(), 0);
    std::stable_sort(people.begin(), people.end(), [&](int a, int b) {
        const int ca = room.cls[std::size_t(a)], cb = room.cls[std::size_t(b)];
        if ((ca < 0) != (cb < 0))
            return cb < 0;
        if (classSize[ca] != classSize[cb])
            return classSize[ca] > classSize[cb];
        return ca < cb;
    });
    MixRoom placed = room;
    for (std::size_t i = 0; i < size; ++i) {
        placed.who[std::size_t(seats[i])] = room.who[std::size_t(people[i])];
        placed.cls[std::size_t(seats[i])] = room.cls[std::size_t(people[i])];
    }
    room = std::move(placed);
}

int settleRoom(MixRoom& room, Draw& draw, bool diagonal) {
    const int budget = 40 * int(room.who.size()) + 200;
    int pairs = settle(room, draw, budget);
    if (pairs == 0)
        return 0;
    MixRoom patterned = room;
    patternStart(patterned, diagonal);
    if (const int other = settle(patterned, draw, budget); other < pairs) {
        room = std::move(patterned);
        pairs = other;
    }
    return pairs;
}

// A room's own seats cannot help when it holds too many of one class:
// swap such a candidate with one of another class in another room, where
// they sit beside no classmate, and settle the room again.
bool repairAcrossRooms(std::vector<MixRoom>& rooms, std::size_t r, Draw& draw, bool diagonal) {
    MixRoom& room = rooms[r];
    for (int s = 0; s < int(room.cls.size()); ++s) {
        const int a = room.cls[std::size_t(s)];
        const int now = room.clashes(s, a);
        if (now == 0)
            continue;
        for (std::size_t step = 1; step < rooms.size(); ++step) {
            MixRoom& other = rooms[(r + step) % rooms.size()];
            for (int t = 0; t < int(other.cls.size()); ++t) {
                const int b = other.cls[std::size_t(t)];
                if (b == a || other.clashes(t, a) != 0 || room.clashes(s, b) >= now)
                    continue;
                std::swap(room.who[std::size_t(s)], other.who[std::size_t(t)]);
                std::swap(room.cls[std::size_t(s)], other.cls[std::size_t(t)]);
                settleRoom(room, draw, diagonal);
                return true;
            }
        }
    }
    return false;
}

// Each class spread over the rooms in proportion to their sizes: the rooms'
// places interleaved evenly and the classes laid along them one after another.
std::vector<std::vector<int>> dealSpread(const std::vector<int>& counts,
                                         const std::vector<int>& cls, int classCount, Draw& draw) {
    std::vector<std::pair<int, int>> places; // room, its j-th place
    for (std::size_t r = 0; r < counts.size(); ++r)
        for (int j = 0; j < counts[r]; ++j)
            places.emplace_back(int(r), j);
    // Place j of a room of n sits at (2j + 1) / 2n along the whole list.
    std::stable_sort(places.begin(), places.end(), [&](auto x, auto y) {
        const long long lx = (2LL * x.second + 1) * counts[std::size_t(y.first)];
        const long long ly = (2LL * y.second + 1) * counts[std::size_t(x.first)];
        return lx != ly ? lx < ly : x.first < y.first;
    });
    std::vector<int> classOrder(static_cast<std::size_t>(classCount));
    std::iota(classOrder.begin(), classOrder.end(), 0);
    draw.shuffle(classOrder);
    std::vector<std::vector<int>> members(std::size_t(classCount) + 1);
    for (std::size_t i = 0; i < cls.size(); ++i)
        members[cls[i] < 0 ? std::size_t(classCount) : std::size_t(cls[i])].push_back(int(i));
    classOrder.push_back(classCount);
    std::vector<std::vector<int>> seats(counts.size());
    std::size_t next = 0;
    for (const int c : classOrder) {
        draw.shuffle(members[std::size_t(c)]);
        for (const int who : members[std::size_t(c)])
            seats[std::size_t(places[next++].first)].push_back(who);
    }
    return seats;
}

// The most seats of a room's used ones with no two adjacent. Side by side
// and one behind the other only: exact, as the checkerboard's two colours
// make a matching problem. With diagonals: the count of 2x2 squares that
// hold a used seat, an upper bound, as one square takes at most one.
int apartSeats(const Room& room, const Grid& grid, bool diagonal) {
    const int used = int(grid.places.size());
    if (diagonal) {
        std::vector<bool> square(std::size_t(((room.rows + 1) / 2) * ((room.columns + 1) / 2)));
        for (const Place& place : grid.places)
            square[std::size_t((place.row / 2) * ((room.columns + 1) / 2) + place.column / 2)] =
                true;
        return int(std::count(square.begin(), square.end(), true));
    }
    std::vector<int> partner(std::size_t(used), -1);
    int matched = 0;
    for (int seat = 0; seat < used; ++seat) {
        const Place& place = grid.places[std::size_t(seat)];
        if ((place.row + place.column) % 2)
            continue;
        std::vector<bool> seen(std::size_t(used), false);
        const auto augment = [&](auto&& self, int from) -> bool {
            for (int k = grid.first[std::size_t(from)]; k < grid.first[std::size_t(from) + 1];
                 ++k) {
                const int to = grid.next[std::size_t(k)];
                if (seen[std::size_t(to)])
                    continue;
                seen[std::size_t(to)] = true;
                if (partner[std::size_t(to)] < 0 || self(self, partner[std::size_t(to)])) {
                    partner[std::size_t(to)] = from;
                    return true;
                }
            }
            return false;
        };
        matched += augment(augment, seat);
    }
    return used - matched;
}

// Why classmates still sit together: the classes larger than the seats
// that can keep them apart, else the general reason.
QString whyAdjacent(const CandidateList& list, const Seating& seating, const Settings& settings) {
    Grids grids(settings.fill, settings.diagonal);
    int apart = 0;
    for (std::size_t r = 0; r < seating.rooms.size(); ++r)
        if (!seating.seats[r].empty())
            apart += apartSeats(seating.rooms[r],
                                grids.of(seating.rooms[r], int(seating.seats[r].size())),
                                settings.diagonal);
    int classCount = 0;
    const std::vector<int> cls = classIds(list, &classCount);
    std::vector<int> size(std::size_t(classCount), 0);
    std::vector<QString> names(static_cast<std::size_t>(classCount));
    for (std::size_t i = 0; i < cls.size(); ++i)
        if (cls[i] >= 0) {
            ++size[std::size_t(cls[i])];
            names[std::size_t(cls[i])] = list.candidates[i].className;
        }
    QStringList reasons;
    for (std::size_t c = 0; c < size.size(); ++c)
        if (size[c] > apart)
            reasons << QStringLiteral("%1有 %2 人，这些考场最多能让 %3 人互不相邻")
                           .arg(names[c])
                           .arg(size[c])
                           .arg(apart);
    if (!reasons.isEmpty())
        return reasons.join(QStringLiteral("；")) + QStringLiteral("。");
    return QStringLiteral("班级太少、同班人数相对考场太多，没有找到让同班考生都不相邻的排法；"
                          "可以多用几个考场，或少坐几人。");
}

std::vector<std::vector<int>> mixed(const CandidateList& list, const Settings& settings,
                                    const Seating& seating, const std::vector<int>& counts) {
    Draw draw(settings.seed);
    int classCount = 0;
    const std::vector<int> cls = classIds(list, &classCount);
    const auto dealt = dealSpread(counts, cls, classCount, draw);
    Grids grids(settings.fill, settings.diagonal);
    std::vector<MixRoom> rooms(dealt.size());
    for (std::size_t r = 0; r < dealt.size(); ++r) {
        MixRoom& room = rooms[r];
        room.grid = &grids.of(seating.rooms[r], int(dealt[r].size()));
        room.who = dealt[r];
        draw.shuffle(room.who);
        for (const int who : room.who)
            room.cls.push_back(cls[std::size_t(who)]);
        settleRoom(room, draw, settings.diagonal);
    }
    // Each repair leaves the other room without clashes at the seat it
    // changed and this room with fewer, so the total falls every round; the
    // cap bounds the time where the classes cannot be kept apart at all.
    int repairsLeft = 4 * int(rooms.size()) + 50;
    for (bool repaired = true; repaired && repairsLeft > 0;) {
        repaired = false;
        for (std::size_t r = 0; r < rooms.size() && repairsLeft > 0; ++r)
            while (repairsLeft > 0 && rooms[r].pairs() > 0 &&
                   repairAcrossRooms(rooms, r, draw, settings.diagonal)) {
                repaired = true;
                --repairsLeft;
            }
    }
    std::vector<std::vector<int>> seats;
    for (MixRoom& room : rooms)
        seats.push_back(std::move(room.who));
    return seats;
}

} // namespace

std::vector<Room> roomsFor(const Settings& settings, int candidates) {
    if (!roomsProblem(settings).isEmpty())
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

Arrangement arrange(const CandidateList& list, const Settings& settings) {
    Arrangement result;
    const int candidates = int(list.candidates.size());
    if (const QString problem = roomsProblem(settings); !problem.isEmpty()) {
        result.error = problem;
        return result;
    }
    if (settings.order == Order::ByColumn && settings.scoreColumn < 0) {
        result.error = QStringLiteral("按成绩排座要先选一列成绩。");
        return result;
    }
    Seating& seating = result.seating;
    seating.rooms = roomsFor(settings, candidates);
    if (seating.rooms.empty() && candidates > 0) {
        if (settings.rooms.empty()) {
            result.error =
                QStringLiteral("考生 %1 人，每考场 %2 人需要 %3 个考场，最多 %4 个考场。")
                    .arg(candidates)
                    .arg(settings.perRoom)
                    .arg(roomsNeeded(settings, candidates))
                    .arg(kMostRooms);
        } else {
            long long seats = 0;
            for (const Room& room : settings.rooms)
                seats += room.capacity;
            result.error = QStringLiteral("考生 %1 人，这 %2 个考场只有 %3 个座位。")
                               .arg(candidates)
                               .arg(settings.rooms.size())
                               .arg(seats);
        }
        return result;
    }
    const std::vector<int> counts = roomCounts(seating.rooms, candidates, settings.fullRooms);
    std::vector<int> listed(static_cast<std::size_t>(candidates));
    std::iota(listed.begin(), listed.end(), 0);
    switch (settings.order) {
    case Order::Listed:
        seating.seats = dealInOrder(listed, counts);
        break;
    case Order::ByClass:
        seating.seats = dealInOrder(byClassOrder(list), counts);
        break;
    case Order::ByColumn: {
        seating.seats = dealInOrder(byColumnOrder(list, settings.scoreColumn), counts);
        Draw draw(settings.seed);
        for (auto& room : seating.seats)
            draw.shuffle(room);
        break;
    }
    case Order::Mixed:
        seating.seats = mixed(list, settings, seating, counts);
        break;
    }
    result.adjacentPairs =
        int(adjacentClassmates(list, seating, settings.fill, settings.diagonal).size());
    if (result.adjacentPairs > 0)
        result.why = whyAdjacent(list, seating, settings);
    return result;
}

std::vector<std::pair<int, int>>
adjacentClassmates(const CandidateList& list, const Seating& seating, Fill fill, bool diagonal) {
    std::vector<std::pair<int, int>> pairs;
    const int candidates = int(list.candidates.size());
    const auto classOf = [&](int who) -> const QString* {
        if (who < 0 || who >= candidates)
            return nullptr;
        const QString& name = list.candidates[std::size_t(who)].className;
        return name.isEmpty() ? nullptr : &name;
    };
    for (std::size_t r = 0; r < seating.seats.size() && r < seating.rooms.size(); ++r) {
        const std::vector<int>& seats = seating.seats[r];
        const Grid grid = gridFor(seating.rooms[r], int(seats.size()), fill, diagonal);
        for (int seat = 0; seat < int(grid.places.size()); ++seat) {
            const QString* mine = classOf(seats[std::size_t(seat)]);
            if (!mine)
                continue;
            for (int k = grid.first[std::size_t(seat)]; k < grid.first[std::size_t(seat) + 1];
                 ++k) {
                const int other = grid.next[std::size_t(k)];
                const QString* theirs = classOf(seats[std::size_t(other)]);
                if (other > seat && theirs && *theirs == *mine)
                    pairs.emplace_back(
                        std::min(seats[std::size_t(seat)], seats[std::size_t(other)]),
                        std::max(seats[std::size_t(seat)], seats[std::size_t(other)]));
            }
        }
    }
    return pairs;
}

// A free seat is a -1 in a room's seats (someone left it), or, past the end
// of a room's seats, a seat number below the room's capacity.
Changed seatLateCandidate(const Seating& seating, int candidate) {
    Changed result{seating, {}};
    for (const auto& room : seating.seats)
        if (std::find(room.begin(), room.end(), candidate) != room.end()) {
            result.error = QStringLiteral("这名考生已经有座位了。");
            return result;
        }
    for (std::size_t r = 0; r < result.seating.seats.size(); ++r) {
        auto& seats = result.seating.seats[r];
        if (const auto free = std::find(seats.begin(), seats.end(), -1); free != seats.end()) {
            *free = candidate;
            return result;
        }
        if (r < seating.rooms.size() && int(seats.size()) < seating.rooms[r].capacity) {
            seats.push_back(candidate);
            return result;
        }
    }
    result.error = QStringLiteral("各考场都已坐满，没有空座位了。");
    return result;
}

Seating unseat(const Seating& seating, int candidate) {
    Seating result = seating;
    for (auto& room : result.seats)
        std::replace(room.begin(), room.end(), candidate, -1);
    return result;
}

Seating swapSeats(const Seating& seating, int first, int second) {
    Seating result = seating;
    for (auto& room : result.seats)
        for (int& who : room)
            if (who == first)
                who = second;
            else if (who == second)
                who = first;
    return result;
}

QStringList printoutsToRedo(const Exam& before, const Exam& after) {
    QStringList lines;
    const std::size_t roomCount = std::max(before.seating.seats.size(), after.seating.seats.size());
    const auto at = [](const Seating& seating, std::size_t room, std::size_t seat) {
        return room < seating.seats.size() && seat < seating.seats[room].size()
                   ? seating.seats[room][seat]
                   : -1;
    };
    for (std::size_t r = 0; r < roomCount; ++r) {
        std::size_t seats = 0;
        if (r < before.seating.seats.size())
            seats = before.seating.seats[r].size();
        if (r < after.seating.seats.size())
            seats = std::max(seats, after.seating.seats[r].size());
        for (std::size_t s = 0; s < seats; ++s)
            if (at(before.seating, r, s) != at(after.seating, r, s)) {
                lines << QStringLiteral("第%1考场：门贴、签到表").arg(r + 1);
                break;
            }
    }
    const auto& people = after.list.candidates;
    const std::vector<SeatOf> seatBefore = seatsOf(before.seating, people.size());
    const std::vector<SeatOf> seatAfter = seatsOf(after.seating, people.size());
    std::vector<QString> numberBefore = examNumbers(before);
    numberBefore.resize(people.size());
    const std::vector<QString> numberAfter = examNumbers(after);
    QHash<QString, int> sameName;
    for (const Candidate& candidate : people)
        ++sameName[candidate.name];
    QStringList desks;
    for (std::size_t i = 0; i < people.size(); ++i) {
        const bool wasHere = i < before.list.candidates.size();
        if (seatAfter[i].room < 0)
            continue; // nobody's desk to label
        if (wasHere && seatBefore[i] == seatAfter[i] && numberBefore[i] == numberAfter[i])
            continue;
        desks << (sameName[people[i].name] > 1
                      ? QStringLiteral("%1（%2）").arg(people[i].name, people[i].className)
                      : people[i].name);
    }
    if (!desks.isEmpty())
        lines << QStringLiteral("桌贴：") + desks.join(QStringLiteral("、"));
    if (!lines.isEmpty())
        lines << QStringLiteral("按班级总表") << QStringLiteral("工作簿");
    return lines;
}

} // namespace exams
