// Mixing: classmates kept apart. The rooms' grids of neighbours, a
// min-conflicts search per room from a random deal and from a pattern, and
// repairs across rooms where one room holds too many of a class.

#include "exams/arrange.h"
#include "exams/arrangeparts.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <tuple>

namespace exams {

namespace {

using detail::seatsIn;
using Draw = common::Draw;

// The used seats of a room and which of them are neighbours, each seat's
// neighbours from first[seat] to first[seat + 1] in `next`.
struct Grid {
    std::vector<int> first;
    std::vector<int> next;
    std::vector<Place> places;
};

Grid gridFor(const Room& room, int used, Fill fill, bool diagonal) {
    const long long seats = seatsIn(room);
    used = int(std::clamp<long long>(used, 0, seats));
    Grid grid;
    std::vector<int> at(std::size_t(seats), -1);
    for (int seat = 0; seat < used; ++seat) {
        const Place place = seatPlace(room, fill, seat);
        grid.places.push_back(place);
        at[std::size_t(place.row) * std::size_t(room.columns) + std::size_t(place.column)] = seat;
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
            if (const int other =
                    at[std::size_t(row) * std::size_t(room.columns) + std::size_t(column)];
                other >= 0)
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
    // A search that has not found better for a while is in a dead end it
    // will not leave: where the classes cannot be kept apart, most of them.
    const int patience = 4 * size + 50;
    for (int step = 0, lastBetter = 0; step < budget && pairs > 0 && step - lastBetter < patience;
         ++step) {
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
            lastBetter = step;
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
    const int budget = 20 * int(room.who.size()) + 200;
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
bool repairAcrossRooms(std::vector<MixRoom>& rooms, std::size_t r, Draw& draw, bool diagonal,
                       long long& looksLeft) {
    MixRoom& room = rooms[r];
    for (int s = 0; s < int(room.cls.size()); ++s) {
        const int a = room.cls[std::size_t(s)];
        const int now = room.clashes(s, a);
        if (now == 0)
            continue;
        for (std::size_t step = 1; step < rooms.size(); ++step) {
            MixRoom& other = rooms[(r + step) % rooms.size()];
            for (int t = 0; t < int(other.cls.size()); ++t) {
                if (--looksLeft < 0)
                    return false;
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
            square[std::size_t(place.row / 2) * std::size_t((room.columns + 1) / 2) +
                   std::size_t(place.column / 2)] = true;
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

} // namespace

namespace detail {

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
    Draw draw = examDraw(settings.seed);
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
    // changed and this room with fewer, so the total falls every round. The
    // caps bound the time where the classes cannot be kept apart at all.
    int repairsLeft = 4 * int(rooms.size()) + 50;
    long long looksLeft = 200LL * std::max(static_cast<long long>(cls.size()), 100LL);
    for (bool repaired = true; repaired && repairsLeft > 0;) {
        repaired = false;
        for (std::size_t r = 0; r < rooms.size() && repairsLeft > 0; ++r)
            while (repairsLeft > 0 && rooms[r].pairs() > 0 &&
                   repairAcrossRooms(rooms, r, draw, settings.diagonal, looksLeft)) {
                repaired = true;
                --repairsLeft;
            }
    }
    std::vector<std::vector<int>> seats;
    seats.reserve(rooms.size());
    for (MixRoom& room : rooms)
        seats.push_back(std::move(room.who));
    return seats;
}

} // namespace detail

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

} // namespace exams
