#pragma once
// Tests' cases as tables in the test's source, one row a line.

#include <QRegularExpression>
#include <QTest>

// A table of cases, a row a line: its name, then the columns' cells, between
// "|"; in a cell \t is a tab, \n a line feed and \r a carriage return.
inline void addTable(std::initializer_list<const char*> columns, const char* table) {
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    for (const QString& line : QString::fromUtf8(table).split('\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split(QRegularExpression(" *\\| *"));
        QTestData& row = QTest::newRow(qPrintable(cells[0]));
        for (const QString& cell : cells.mid(1))
            row << QString(cell).replace("\\t", "\t").replace("\\n", "\n").replace("\\r", "\r");
    }
}
