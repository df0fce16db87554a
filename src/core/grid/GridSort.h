#pragma once

#include <QByteArray>

// The grid's row sort: a quicksort over rows L..R keyed by one text per row, then, for a
// descending sort, a reversal of the same rows. Not stable, by design: a descending sort is
// exactly the reverse of the ascending one.
//
// Rows is any type with:  const QByteArray& Key(int row) const;  void Swap(int a, int b);
// Compare is a three-way comparison of two keys.
namespace GridSort {

template <class Rows, class Compare> void QuickSort(Rows& rows, int L, int R, Compare compare) {
    int I;
    do {
        I = L;
        int J = R;
        const QByteArray pivot = rows.Key((L + R) / 2);
        do {
            while (compare(rows.Key(I), pivot) < 0)
                ++I;
            while (compare(rows.Key(J), pivot) > 0)
                --J;
            if (I <= J) {
                if (I != J)
                    rows.Swap(I, J);
                ++I;
                --J;
            }
        } while (I <= J);
        if (L < J)
            QuickSort(rows, L, J, compare);
        L = I;
    } while (I < R);
}

template <class Rows> void Reverse(Rows& rows, int first, int last) {
    for (; first < last; ++first, --last)
        rows.Swap(first, last);
}

template <class Rows, class Compare>
void Sort(Rows& rows, int first, int last, bool ascending, Compare compare) {
    if (first >= last)
        return;
    QuickSort(rows, first, last, compare);
    if (!ascending)
        Reverse(rows, first, last);
}

} // namespace GridSort
