#pragma once
// A plain grid of texts on the cell grid: no data set behind it, one fixed
// heading row (row 0, shown as the grid's title row) and no fixed column.
// Cells are addressed (col, row) with row 0 the heading, as a string grid
// addresses them. The whole table is handed over at once (SetTable), so the
// grid shows either the old table or the new one, never a mix.
//
// Drawing: every cell is first drawn by the grid itself (the heading on the
// fixed colour, other cells on the cell or selection colour, text at the
// left, two pixels in); then OnDrawCell, when set, draws over it with the
// painter prepared the same way (brush = the cell's background, pen = its
// text colour, the grid's font, clipped to the cell).

#include "Components/MirelComp/MirelGrids.h"

#include <QList>
#include <QStringList>

#include <functional>

class TMStringGrid : public TMCustomGrid {
    Q_OBJECT
    Q_PROPERTY(int ColorSelectedCell READ ColorSelectedCell WRITE setColorSelectedCell)
    Q_PROPERTY(int ColorSelectedFont READ ColorSelectedFont WRITE setColorSelectedFont)
    Q_PROPERTY(int ColorLines READ ColorLines WRITE setColorLines)
    Q_PROPERTY(int Color READ Color WRITE setColor)
    Q_PROPERTY(int FixedColor READ FixedColor WRITE setFixedColor)
    Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int ScrollBars READ ScrollBars WRITE setScrollBars)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE setDefaultRowHeight)

public:
    explicit TMStringGrid(QWidget *parent = nullptr);
    ~TMStringGrid() override;

    // Width of a column without its line, for every column of a new table.
    int DefaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int width);

    // Replaces every cell: rows[0] is the heading row; shorter rows are
    // filled with empty cells up to the longest. Column widths go back to
    // DefaultColWidth.
    void SetTable(const QList<QStringList> &rows);
    // The cells as shown, heading row first, every row as long as the widest.
    QList<QStringList> Table() const;
    // Rows including the heading, and columns, of the table shown.
    int TableRowCount() const;
    int TableColCount() const;
    // A cell's text; empty outside the table.
    QString Cells(int col, int row) const;
    // The rectangle of cell (col, row) in grid coordinates, heading row 0
    // included; empty when it is not in view.
    QRect TableCellRect(int col, int row) const;

    // Draws over a cell after the grid's own drawing; row 0 is the heading.
    std::function<void(QPainter &, int col, int row, const QRect &rect, TGridDrawState state)> OnDrawCell;

    int TitlePitch() const override;

protected:
    void DrawCell(QPainter &p, int col, int row, const QRect &rect, TGridDrawState state) override;
    void DrawFixedCell(QPainter &p, int col, int row, const QRect &rect) override;

private:
    class Model;
    Model *m_model;
    int m_defaultColWidth = 64;
};
