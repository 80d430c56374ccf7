#pragma once
// Seating a whole examination: the rooms it needs, the order candidates
// take the seats in, classmates kept apart, and the late changes that move
// no one else.

#include "exams/exam.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace exams {

// Why identical rooms of rows x columns cannot seat perRoom each, in plain
// Chinese; empty when they can. The window, the command line and arrange()
// all ask this one question.
QString roomSizeProblem(int rows, int columns, int perRoom);
// Why the settings' rooms cannot be used at all: the room table when it has
// rooms, else the identical rooms. Empty when they can.
QString settingsProblem(const Settings& settings);
// "每考场最多 99 人：…": why a room cannot seat more.
QString tooManyInRoom();

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

// The line that sums an arrangement up, as the window shows it and the
// command line prints it: "考生 60 人，2 个考场，相邻同班 0 对，随机种子 7",
// and how many have no seat when any have none.
QString summaryLine(const Exam& exam, int adjacentPairs);

// Late changes: nobody else moves.
// A candidate added to the list (its index) takes the first free seat;
// error when none is free.
struct Changed {
    Seating seating;
    QString error;
};
// The candidate a typed line adds: "姓名,班级,学号" with ASCII or Chinese
// commas or tabs between them, the class and number optional, the list's
// other columns empty. Nothing when the line names nobody.
std::optional<Candidate> lateCandidate(const QString& line, const CandidateList& list);
// The message when lateCandidate() finds no name.
QString lateCandidateProblem();
Changed seatLateCandidate(const Seating& seating, int candidate);
// The candidate's seat becomes free; the candidate stays in the list.
Seating unseat(const Seating& seating, int candidate);
// Two candidates change seats.
Seating swapSeats(const Seating& seating, int first, int second);

} // namespace exams
