#pragma once
// The cell grid of the control library: a table view whose look is fixed by
// the terminal rather than by the desktop style. It lays out rows and
// columns, paints the grid lines per area, fills selected cells with its own
// selection colours and hosts the in-place cell editor. The data-aware grid
// (MirelGridL.h) builds on it.
//
// Areas and their lines (one pixel, at the right and bottom edge of a cell):
//   fixed corner (title row x indicator column)   black
//   title row over the scrolling columns           ColorLines
//   indicator column beside the scrolling rows     black
//   scrolling rows x scrolling columns             ColorLines
// The title row is the view's horizontal header, the indicator column its
// vertical header. A row's pitch is DefaultRowHeight plus the line when
// horizontal lines are on; a column's pitch is its width plus the line when
// vertical lines are on.
//
// Colours are colour references (MirelColor.h). The colour properties
// repaint the grid at once when their value changes, and only then.

#include <QFlags>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <stdexcept>

// Bad grid indexes and sizes.
class EInvalidGridOperation : public std::runtime_error {
public:
    explicit EInvalidGridOperation(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

enum TGridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

enum TGridOption {
    goFixedVertLine = 0x1,
    goFixedHorzLine = 0x2,
    goVertLine = 0x4,
    goHorzLine = 0x8,
    goDrawFocusSelected = 0x10,
    goColSizing = 0x20,
    goEditing = 0x40,
    goTabs = 0x80,
    goRowSelect = 0x100,
    goAlwaysShowEditor = 0x200,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

class TMCustomGrid;

// The in-place cell editor: a frameless line edit over the current cell.
// Characters the grid does not accept for the cell are refused (with a
// beep); the first accepted change asks the grid for leave to modify.
// Enter, Escape and the row keys go to the grid.
class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TMCustomGrid *grid);
    TMCustomGrid *Grid() const { return m_grid; }
    // Whether the text was changed by typing since the editor was filled.
    bool Modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // Types one character as a key stroke would (backspace included).
    void typeChar(QChar c);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool allowChange(QChar c);
    TMCustomGrid *m_grid;
    bool m_modified = false;
};

// A header of the grid (title row or indicator column) painted by the grid.
class TGridHeader : public QHeaderView {
    Q_OBJECT
public:
    TGridHeader(Qt::Orientation orientation, TMCustomGrid *grid);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TMCustomGrid *m_grid;
    bool m_resized = false;
};

class TMCustomGrid : public QTableView {
    Q_OBJECT
public:
    explicit TMCustomGrid(QWidget *parent = nullptr);
    ~TMCustomGrid() override;

    // ---- colours ----------------------------------------------------------
    int ColorSelectedCell() const { return m_colorSelectedCell; }
    void setColorSelectedCell(int color);
    int ColorSelectedFont() const { return m_colorSelectedFont; }
    void setColorSelectedFont(int color);
    int ColorLines() const { return m_colorLines; }
    void setColorLines(int color);
    int Color() const { return m_color; }
    void setColor(int color);
    int FixedColor() const { return m_fixedColor; }
    void setFixedColor(int color);
    // Colour of the body text (the font colour of the layouts).
    int FontColor() const { return m_fontColor; }
    void setFontColor(int color);
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool on);
    // 0 none, 1 horizontal, 2 vertical, 3 both.
    int ScrollBars() const { return m_scrollBars; }
    void setScrollBars(int bars);
    // 0 none, 1 single.
    int BorderStyle() const { return frameShape() == QFrame::NoFrame ? 0 : 1; }
    void setBorderStyle(int style);

    TGridOptions gridOptions() const { return m_gridOptions; }
    void setGridOptions(TGridOptions options);

    // ---- layout -------------------------------------------------------------
    // Height of a data row without its line.
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int height);
    int RowPitch() const;          // row height plus the horizontal line
    int ColWidths(int col) const;  // without the line; throws on a bad index
    void setColWidths(int col, int width);
    int ColCount() const;
    int RowCount() const;
    int TopRow() const;
    int VisibleRowCount() const;   // rows that fit wholly
    // The cell's rectangle in grid coordinates (lines excluded); empty when
    // it is not in view.
    QRect CellRect(int col, int row) const;

    // ---- current cell -------------------------------------------------------
    int Col() const { return m_col; }
    void setCol(int col);
    int Row() const { return m_row; }
    void setRow(int row);

    // ---- editor -------------------------------------------------------------
    bool EditorMode() const;
    void setEditorMode(bool on);
    TInplaceEdit *InplaceEditor() const { return m_editor; }
    void ShowEditor();
    void HideEditor();
    // Opens the editor (when allowed) and types c into it; refused
    // characters leave the grid as it was.
    void ShowEditorChar(QChar c);

    void InvalidateGrid();
    void InvalidateRow(int row);

    // For the editor and the headers.
    virtual bool CanEditAcceptKey(QChar c) const;
    virtual bool CanEditModify();
    virtual void EditorKeyPress(QKeyEvent *event);  // keys the editor passes on
    virtual void EditorLeft(QWidget *newFocus);     // focus went elsewhere
    void paintHeaderSection(QPainter &p, Qt::Orientation o, int logical, const QRect &section);
    void paintHeaderEmpty(QPainter &p, const QRect &rect);
    virtual int TitlePitch() const;
    virtual int IndicatorPitch() const;
    virtual void TitleReleased(int col, Qt::MouseButton button);
    virtual void IndicatorPressed(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods);

    // Presses and releases on the headers reach the grid's mouse events.
    void headerMouse(QWidget *header, QMouseEvent *event);

    // Cell painting entry of the delegate.
    void paintScrollingCell(QPainter &p, const QRect &section, int col, int row);

signals:
    void OnMouseDown(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseUp(QWidget *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseMove(QWidget *Sender, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnDblClick(QWidget *Sender);
    // Key events; a handler may clear Key (0 / null) to swallow it.
    void OnKeyDown(QWidget *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void OnKeyPress(QWidget *Sender, QChar &Key);
    void OnKeyUp(QWidget *Sender, int &Key, Qt::KeyboardModifiers Shift);
    void OnEnter(QWidget *Sender);
    void OnExit(QWidget *Sender);

protected:
    // Draws the inside of a scrolling cell. The painter comes with the cell's
    // background, font and text colour set and the cell already filled.
    virtual void DrawCell(QPainter &p, int col, int row, const QRect &rect, TGridDrawState state);
    // Draws a title cell (row -1) or an indicator cell (col -1) inside its lines.
    virtual void DrawFixedCell(QPainter &p, int col, int row, const QRect &rect);
    // Text the editor starts with and where it is written back.
    virtual QString GetEditText(int col, int row) const;
    virtual void SetEditText(int col, int row, const QString &text);
    virtual bool CanEditShow() const;
    // Moves the current cell to (col, row); the data-aware grid moves its
    // data set instead.
    virtual void MoveToCell(int col, int row, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    virtual void CellReleased(int col, int row);
    // Navigation keys while the editor is closed; true when handled.
    virtual bool NavigateKey(QKeyEvent *event);
    // The font a scrolling cell is drawn with and its text alignment.
    virtual QFont cellFont(int col) const;
    virtual Qt::Alignment cellAlignment(int col) const;
    virtual void LayoutChanged();

    // Repaints the cells, the headers and the corner now.
    void repaintAll();
    void scrollToCurrent();
    QRect editorRect() const;
    // Editor text into the cell (no-op when not modified).
    void writeEditorText();
    static QColor ref(int color);

    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

    virtual TInplaceEdit *CreateEditor();

    int m_col = 0;
    int m_row = -1;
    TGridOptions m_gridOptions;
    TInplaceEdit *m_editor = nullptr;

private:
    void applyPalette();
    void applyRowHeights();
    void paintCorner(QPainter &p, const QRect &rect);
    void fixedEdge(QPainter &p, QRect &rect) const;
    QPoint gridPos(const QPoint &viewportPos) const { return viewport()->mapTo(this, viewportPos); }

    int m_colorSelectedCell = 8388608;
    int m_colorSelectedFont = 16777215;
    int m_colorLines = 8421504;
    int m_color = 16777215;
    int m_fixedColor = int(0xFF00000F); // button face
    int m_fontColor = 0;
    bool m_defaultDrawing = true;
    int m_scrollBars = 3;
    int m_defaultRowHeight = 18;
    bool m_pressOnEditorCell = false;
    bool m_hidingEditor = false;
    QWidget *m_corner = nullptr;
    friend class TInplaceEdit;
};
