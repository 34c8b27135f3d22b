#pragma once
// The rules of the branch stock screen that need no window: the name bounds
// a name-index key sends to the server, and the pivot of the server's answer
// (one row per item, its branches and quantities as "^"-joined texts) into
// the grid's table of texts.

#include "core/ClientFilter.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <stdexcept>

// The bounds of name-index key `tag` as the server reads them: the all key ""
// and "zzzzzzzzzz"; each Hangul key from 가 to 파 its syllable and the next
// key's; 하 "하" and "a"; the Latin key "a" and "z"; the digit key "0" and
// "9" (the server maps these last three to the whole of their ranges).
// Nothing for a Tag that is no name-index key.
std::optional<NameRange> BranchStockKeyBounds(int tag);

// The bounds of the all key.
NameRange BranchStockAllBounds();

// One row of the answer, its texts as the server sent them.
struct BranchStockLine {
    QString name;       // itnb_name
    QString unit;       // unit
    QString count;      // buut_cnt: how many pieces the two lists hold
    QString branches;   // buut_name: branch names joined by "^"
    QString quantities; // qty: the quantities in the same order, joined by "^"
};

// A text of the answer that is no number.
class BranchStockError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The grid's table: the heading row 품명, 단위, one column per branch in the
// order the answer first names them, 합계; then one row per answer row with
// its name, its unit, each quantity under its own branch ("%7.0n"; 0 under a
// branch the row does not name) and the row's total under 합계 ("%10.0n").
// Quantities are read as fixed-point amounts, so totals are exact; an empty
// quantity or count counts 0. Throws BranchStockError when a count or a
// quantity is no number.
QList<QStringList> BranchStockTable(const QList<BranchStockLine> &lines);
