#pragma once
// Client filters on data sets, applied the one way every screen applies them:
// filtering off, filter text set, filtering on. Clearing a filter is
// filtering off (the text stays, without effect).
//
// The item-type filter: the touch buttons all / product / semi-product /
// goods / materials narrow the rows of a data set on its type-name field F
// (the server's display names of the item types):
//   all          filter off
//   product      "F = '제품'"
//   semi-product "F = '반제품'"
//   goods        "F = '상품'"
//   materials    "F = '원재료' or F = '부재료' " (a raw or a secondary material)

#include <QList>
#include <QString>

class DataSet;

void ApplyClientFilter(DataSet &dataSet, const QString &text);

enum class ItemTypeButton { All, Product, SemiProduct, Goods, Materials };

// The filter text of a button on the field; empty for All.
QString ItemTypeFilterText(const QString &field, ItemTypeButton button);
// Applies the button's filter (All switches filtering off).
void ItemTypeFilter(DataSet &dataSet, const QString &field, ItemTypeButton button);

// ---- name-index keys ---------------------------------------------------------
//
// A row of 17 touch keys narrows item lists by the first letters of the
// names: the all key, the 14 initial consonants of Hangul, Latin letters and
// digits. Each key stands for half-open ranges of names, lower <= name <
// upper, compared by code point:
//   656301 all     no range
//   656302 가      [가, 나)      ... each Hangul key up to the next key's syllable,
//   ...                          so 가 covers ㄱ and ㄲ, 다 ㄷ and ㄸ, and so on
//   656314 파      [파, 하)
//   656315 하      [하, U+D7A4)  every syllable from 하 to 힣
//   656316 Latin   [a, {) and [A, [)  a name beginning with a Latin letter of either case
//   656317 digits  [0, :)
// A name beginning with anything else (a blank, a bracket, a lone jamo) or an
// empty name belongs to no key but the all key.

constexpr int kNameIndexAll = 656301;
constexpr int kNameIndexFirst = 656301;
constexpr int kNameIndexLast = 656317;

struct NameRange {
    QString lower; // inclusive
    QString upper; // exclusive
    friend bool operator==(const NameRange &, const NameRange &) = default;
};

struct NameIndexBounds {
    // The key's ranges; empty for the all key (every name) and for a Tag
    // that is no name-index key.
    QList<NameRange> ranges;
    bool all() const { return ranges.isEmpty(); }
    // Whether a name lies in one of the ranges (every name for the all key).
    bool contains(const QString &name) const;
};

NameIndexBounds NameIndexRange(int tag);

// The filter clause of a key on a name field: "F >= '가' and F < '나'"; the
// Latin key's two ranges in one parenthesised clause, "(F >= 'a' and F < '{'
// or F >= 'A' and F < '[')", so that clauses joined to it by "and" bind both
// ranges. Empty for the all key.
QString NameIndexClause(const QString &field, int tag);

// ---- the production list's filter ---------------------------------------------
//
// The production figures are narrowed on the client by the chosen major
// category G, middle category J, the remembered item type T and the pressed
// name-index key, once a search date M is set. What the page shows pressed
// is what filters: a category choice keeps the pressed key and the type.
// Fields: imsdki (G), imsjki (J), imname (key), itty_name (T).

struct NameIndexState {
    QString searchDate; // M: "yyyymmdd" of the from date; empty before any search or date change
    QString major;      // G: GKGKID of the chosen major category
    QString middle;     // J: MKMKID of the chosen middle category
    QString type;       // T: 제품, 반제품 or empty (all types)
    int key = kNameIndexAll;

    // The page's touches, each giving the state that follows.
    void pressKey(int tag) { key = tag; }
    // A type button remembers its type and puts the all key down.
    void pressType(const QString &t)
    {
        type = t;
        key = kNameIndexAll;
    }
    // Another major category drops the middle one.
    void chooseMajor(const QString &g)
    {
        major = g;
        middle.clear();
    }
    void chooseMiddle(const QString &j) { middle = j; }
    // A search starts over on its from date: no category, no type, the all key.
    void search(const QString &m)
    {
        searchDate = m;
        major.clear();
        middle.clear();
        type.clear();
        key = kNameIndexAll;
    }
};

struct NameIndexFilterText {
    // False: the filter stays as it is (no search date yet, or a middle
    // category without its major one).
    bool changes = false;
    // The filter text; empty switches filtering off.
    QString text;
};

// The filter of a state: the clauses present, in the order category, name,
// type, joined by " and " and followed by one blank, e.g.
//   "imsdki = '201' and imsjki = '002' and imname >= '가' and imname < '나' and itty_name = '제품' "
NameIndexFilterText NameIndexFilter(const NameIndexState &state);
// Applies NameIndexFilter(state) to the production data set.
void ApplyNameIndexFilter(DataSet &dataSet, const NameIndexState &state);
