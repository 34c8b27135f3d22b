#pragma once
// The work lines VTB_PATTERNBALJU of the pattern-line screens (the pattern
// order, the warehouse receipt and the release to customers): the key pad
// that types into the quantity cell of the line grid, putting the focus on
// that cell, moving to the next line, and filling the lines from a server
// answer by a table of fields.
//
// Filling: FillLines empties the lines and appends one line per row of an
// answer, copying the fields a table names and then calling a per-line hook
// for what a table cannot say (a word for a code, a value of the screen). The
// lines' controls are off meanwhile (ControlsOff): a failure half-way drops
// the half-written line, leaves the lines filled so far and never leaves the
// grid frozen; the error goes on to the caller, who logs it. Two answers are
// read alike by every screen and have their tables here: the lines of an
// order pattern and the lines of a placed order gathered from several
// temporary saves.

#include <QString>

#include <functional>
#include <initializer_list>

class ClientDataSet;
class DataSet;
class QWidget;
class TMCustomDBGrid;

// ---- key pad ------------------------------------------------------------------

// The Tag of the backspace key. The digit keys carry their virtual key as Tag
// (48-57), the decimal-point key 190.
constexpr int kPadBackspaceTag = -10;

// The virtual key a pad key sends: its Tag, backspace (8) for the backspace key.
int PadVirtualKey(int tag);

// The key pad of screen: the keys named btn0, bnt1, btn2 ... btn9 (the
// digits), btnJem (the decimal point) and btn_ghktkfvy (backspace). Calls
// onKey with the key's Tag whenever one of them is released.
void ConnectPadKeys(QWidget *screen, const std::function<void(int tag)> &onKey);

// Makes the quantity column (ADQTY) of grid its current column.
void SelectQuantityColumn(TMCustomDBGrid *grid);
// Gives grid the focus unless it or its cell editor has it, and selects its
// quantity column.
void FocusQuantity(TMCustomDBGrid *grid);

// A key of the pad: nothing while lines is closed or has no line; otherwise
// the quantity cell of grid gets the focus, the current line goes into edit
// and the key's virtual key goes to the focused control (the cell's editor).
void TypePadKey(TMCustomDBGrid *grid, DataSet &lines, int tag);

// The next line (what is typed is posted first); nothing while lines is
// closed or has no line.
void NextLine(DataSet &lines);

// ---- filling the lines ------------------------------------------------------------

// One field of a line and the answer's field it is filled from.
struct LineField {
    const char *line;
    const char *answer;
};

// How FillLines copies a value: as the answer holds it (a null stays null),
// or read as the line field's type (a null becomes 0 or an empty text).
enum class LineCopy { AsAnswered, ByLineType };

// Called for every line after its fields are copied, with the line in insert
// and the answer on the line's row.
using LineHook = std::function<void(DataSet &line, DataSet &row)>;

// Replaces the lines with one line per row of answer (from its first row),
// copying fields as copy says, then eachLine; leaves the first line current.
// Errors propagate (see above).
void FillLines(DataSet &lines, DataSet &answer, std::initializer_list<LineField> fields, LineCopy copy,
               const LineHook &eachLine = {});

// The PHADNUMB of a placed order gathered from several temporary saves.
constexpr int kGatheredPattern = 999;

// The company, store, pattern number (HDNUMB) and supplier (TARGETCODE) of a
// call of GP_SELECT_F2111_RegOrderSearch_new1; phnumb, the placed order whose
// quantities the lines bring along, stays the caller's.
void SetPatternLineParams(ClientDataSet &call, int pattern, const QString &target);

// The lines of an order pattern (rows of GP_SELECT_F2111_RegOrderSearch_new1):
// the pattern's fields as answered, the item type as its word, the size, the
// unit price in the four price fields, and with orderedQuantities the placed
// order's quantity (PDQTY) in place of the pattern's.
void FillPatternLines(DataSet &lines, DataSet &answer, bool orderedQuantities, const LineHook &eachLine = {});

// The lines of a placed order gathered from several temporary saves (rows of
// the placed-order picker's GP_SELECT_F2101_POPUPPURCHASE): its fields as
// answered, its unit price in the four price fields, no stock ("0") and no
// proper stock or pending quantity (0).
void FillGatheredOrderLines(DataSet &lines, DataSet &answer, const LineHook &eachLine = {});

// Reloading a placed order chosen in the placed-order picker (its header row
// order, its lines orderLines): a gathered order by its own lines, any other
// by the lines of its pattern with the order's quantities. In two steps, so
// that a screen changes its partner only once the read succeeded:
// ReadPlacedOrderLines reads the pattern's lines on patternLines (nothing for
// a gathered order, whose lines the picker read; errors propagate),
// FillPlacedOrderLines fills the lines from what was read.
void ReadPlacedOrderLines(DataSet &order, ClientDataSet &patternLines);
void FillPlacedOrderLines(DataSet &lines, DataSet &order, DataSet &orderLines, DataSet &patternLines,
                          const LineHook &eachLine = {});
