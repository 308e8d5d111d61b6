#pragma once
// What a row of a list box may hold beside its text: a title and a length,
// where a list file gave them. Rows without one cost nothing.

#include <QList>
#include <QString>

struct RowDetail {
    int row = 0;
    QString title;     // empty when there is none
    int seconds = -1;  // -1 when unknown
};
// Sorted by row, one at most for each row, only the rows that have one.
using RowDetails = QList<RowDetail>;
