#pragma once
// A whole school's examination as plain values: the candidates as their
// list gives them, the rooms, the settings the office chose, and the seats
// each candidate was given. Brasset's 考务编排 window and its command line
// hold one Exam and change it only through the functions of this folder.

#include "common/roomtitle.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace exams {

// One pupil. 学号 and 考号 are text: "007" stays "007".
struct Candidate {
    QString name;      // 姓名
    QString className; // 班级
    QString studentNo; // 学号
    QString examNo;    // 考号 the list already gave, else empty
    QStringList extra; // the list's other columns, in its order
    int sourceRow = 0; // the row of the file or paste, counted from 1

    bool operator==(const Candidate&) const = default;
};

struct CandidateList {
    QStringList extraHeaders; // the headers of Candidate::extra
    std::vector<Candidate> candidates;

    bool operator==(const CandidateList&) const = default;
};

// A room seats `capacity` candidates on its rows x columns seats.
struct Room {
    QString location; // 教学楼301, or empty
    int rows = 6;
    int columns = 5;
    int capacity = 30;

    bool operator==(const Room&) const = default;
};

constexpr int kMostRooms = 999;
// The most candidates in a room, as 考号 give the seat two digits; also the
// most rows and the most columns of a room.
constexpr int kMostPerRoom = 99;

// The order candidates are seated in.
enum class Order {
    Listed,   // as listed
    ByClass,  // by class, then student number
    Mixed,    // classmates kept apart, random from the seed
    ByColumn, // by an extra column (a score), highest first; random inside a room
};

// Inside a room seats are taken in an S: along the rows (横排) or along the
// columns (竖排).
enum class Fill { Rows, Columns };

struct Settings {
    // Identical rooms of rows x columns, at most perRoom each, as many as
    // the list needs; or, when `rooms` is not empty, exactly those rooms.
    int rows = 6;
    int columns = 5;
    int perRoom = 30;
    std::vector<Room> rooms;
    bool fullRooms = false; // fill each room before the next, else balance them
    Fill fill = Fill::Rows;
    Order order = Order::Listed;
    int scoreColumn = -1;  // for Order::ByColumn: the index into Candidate::extra
    bool diagonal = false; // Mixed: classmates not diagonal either
    std::uint32_t seed = 0;
    QString prefix; // 考号 prefix
    QString title;  // the printouts' title: subject and time

    bool operator==(const Settings&) const = default;
};

// Where each candidate sits: for every room, for every seat number (0 up,
// in fill order), the index of the candidate there or -1 for a free seat.
struct Seating {
    std::vector<Room> rooms;
    std::vector<std::vector<int>> seats;

    bool operator==(const Seating&) const = default;
};

struct Exam {
    CandidateList list;
    Settings settings;
    Seating seating;
    QString version; // the program version that seated it

    bool operator==(const Exam&) const = default;
};

// A seat as every printout shows it: row 0 at the top, column 0 on the
// left, the front of the room (讲台) below the last row. The seats are
// filled in an S from the front as Brasset fills its rooms, then the room
// is shown turned, so that seat 0 is at the bottom right.
struct Place {
    int row = 0;
    int column = 0;
    bool operator==(const Place&) const = default;
};
Place seatPlace(const Room& room, Fill fill, int seat);

// 考号: the prefix, the room number (two digits, three from 100 rooms on)
// and the seat number (two digits), both counted from 1. room and seat
// are counted from 0 here.
QString examNumber(const QString& prefix, int room, int roomCount, int seat);

// Every candidate's 考号, by candidate index: their own where the list
// gave them one, else their seat's, and empty for a candidate not seated.
std::vector<QString> examNumbers(const Exam& exam);

// Where every candidate sits, by candidate index: {room, seat}, or
// {-1, -1} for one not seated.
struct SeatOf {
    int room = -1;
    int seat = -1;
    bool operator==(const SeatOf&) const = default;
};
std::vector<SeatOf> seatsOf(const Seating& seating, std::size_t candidates);

// The program version written into every exam file and printout: a seed
// makes the same plan again with the same version.
QString programVersion();

// The room's title as every printout shows it: "第3考场", with its location
// after a blank where it has one. Without the seating: "第3考场" alone.
using common::roomTitle;
QString roomTitle(const Seating& seating, int room);

} // namespace exams
