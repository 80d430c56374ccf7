#pragma once
// Seating a whole examination: the rooms it needs, the order candidates
// take the seats in, classmates kept apart, and the late changes that move
// no one else.

#include "exam.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace exams {

// The rooms for `candidates`: the settings' own room table when it has
// one, else as few identical rooms (rows x columns, at most perRoom each)
// as hold them all. Empty when they do not fit in kMostRooms rooms.
std::vector<Room> roomsFor(const Settings& settings, int candidates);

// How many rooms of the settings' size `candidates` would need, for the
// message that refuses a list too large.
int roomsNeeded(const Settings& settings, int candidates);

struct Arrangement {
    Seating seating;
    int adjacentPairs =
        0;         // classmates side by side or one behind the other (and diagonal if asked)
    QString why;   // where adjacentPairs is not 0: why, in plain Chinese
    QString error; // why nothing was seated (the list does not fit); empty on success
};

// Seats every candidate once. Balanced rooms unless settings.fullRooms.
// The same list, settings and seed always give the same seating.
Arrangement arrange(const CandidateList& list, const Settings& settings);

// The pairs of classmates sitting next to each other, as pairs of candidate
// indices, each pair once.
std::vector<std::pair<int, int>>
adjacentClassmates(const CandidateList& list, const Seating& seating, Fill fill, bool diagonal);

// Late changes: nobody else moves.
// A candidate added to the list (its index) takes the first free seat;
// error when none is free.
struct Changed {
    Seating seating;
    QString error;
};
Changed seatLateCandidate(const Seating& seating, int candidate);
// The candidate's seat becomes free; the candidate stays in the list.
Seating unseat(const Seating& seating, int candidate);
// Two candidates change seats.
Seating swapSeats(const Seating& seating, int first, int second);

// The printouts to print again after a late change from `before` to
// `after`: lines such as "第3考场 门贴、签到表" and "桌贴：张三、李四",
// and "按班级总表" whenever any seat changed.
QStringList printoutsToRedo(const Exam& before, const Exam& after);

} // namespace exams
