#pragma once
// The raw-material ledger's work table and the re-booking of set items.
//
// A set item is made of components (each casawt of it in one set). The
// server's material rows name, for a component, its set in kpcd; the
// component use answers, per set whose components moved, one row per
// component with the whole sets (each_count_*) its opening stock, use and
// loss amount to, the rows of one set together, seq 1 .. cnt.
//
// RebookMaterialLedger builds a new work table from them:
//  - every material row, in the server's order, its numbers as currency and
//    unit "G" when it belongs to a set;
//  - per set, with M, L and H the smallest counts of its components for
//    opening, use and loss: the set item's row (when listed) gains M, L and H
//    and its stock loses L; each component's row loses M, L and H times its
//    casawt (its stock stays); every changed amount is imbhup times its new
//    quantity, exactly (four decimals);
//  - per set, from its component list: a listed set's components that have
//    no row are added with zero figures; for a set that is not listed, its
//    first component is added under the set's number, named by two blanks and
//    the set's name (unit "G", kpcd the component), after which the set
//    counts as listed. Added rows follow the copied ones in the order added.
// The set and component rows need not add up afterwards: the set's stock
// loses the use, the components' stock is left as it was.

#include <QString>

#include <functional>
#include <memory>

class DataSet;
class QObject;

// The fields of the work table in the grid's formats: texts cmcd, buut, itnb,
// buut_name, imname, immdan, imldan, unit, kpcd, prky, paky; currency immcal,
// the ten figures, casawt, jqty, imbhup. Open and empty.
std::unique_ptr<DataSet> NewMaterialLedgerTable(QObject *parent = nullptr);

// The component list of one set item (company, store, set item): rows with
// cacmcd, cabuut, capub1, caitnb, buut_name, imname, component_name (the
// set's name), immdan, imldan, immcal, imedan, casawt. The data set returned
// is read before the next call. Its failure (an exception) ends the build.
using ComponentList = std::function<const DataSet &(const QString &company, const QString &store,
                                                    const QString &setItem)>;

// A new work table from the material rows, the component use and the
// component lists (see above). Reads the data sets without moving their
// cursors; an exception of a component list leaves nothing but the
// unfinished new table behind.
std::unique_ptr<DataSet> RebookMaterialLedger(const DataSet &rows, const DataSet &use,
                                              const ComponentList &components);
