#pragma once
// The data-aware grid: the records of a data set in rows, its fields in
// columns under a title row, an optional indicator column, the list of
// selected records kept as bookmarks, and the in-place editor that writes
// typed text into the fields.
//
// The data set is the grid's cursor: moving the data set moves the current
// row and scrolls it into view; touching a row moves the data set by the
// difference first. The data set in DataSource stands for the platform's
// data source.
//
// Multi-selection (dgMultiSelect): a touch empties the list and selects the
// touched record alone; with ToggleSelect (or a held Control) each touch
// toggles the touched record instead. Nothing here holds a key down.
//
// Editing (dgEditing, never with dgRowSelect): a typed character opens the
// editor on the current cell with that character, when the column and the
// grid are not read-only and the character suits the field's type. Enter,
// moving to another cell and touching another cell write the text into the
// field and post the record (BeforePost runs). When code moves the data set
// while the editor holds typed text, the text is written first (the data
// set's check-browse-mode signal), so nothing typed is lost.

#include "Components/MirelComp/MirelGrids.h"
#include "platform/dataset/DataSet.h"
#include "platform/dataset/DataSetModel.h"

#include <QFont>
#include <QPointer>
#include <memory>
#include <vector>

class TMCustomDBGrid;
class TDBGridColumns;

// Options as the layouts store them (bits 0..12 in this order).
enum TDBGridOption {
    dgEditing = 1 << 0,
    dgAlwaysShowEditor = 1 << 1,
    dgTitles = 1 << 2,
    dgIndicator = 1 << 3,
    dgColumnResize = 1 << 4,
    dgColLines = 1 << 5,
    dgRowLines = 1 << 6,
    dgTabs = 1 << 7,
    dgRowSelect = 1 << 8,
    dgAlwaysShowSelection = 1 << 9,
    dgConfirmDelete = 1 << 10,
    dgCancelOnExit = 1 << 11,
    dgMultiSelect = 1 << 12,
};

class TColumn;

class TColumnTitle {
public:
    explicit TColumnTitle(TColumn *column) : m_column(column) {}
    // Empty: the field's display name is shown.
    QString Caption() const;
    void setCaption(const QString &caption);
    Qt::Alignment Alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    int Color() const;            // the grid's FixedColor unless set
    void setColor(int color);
    QFont Font() const;           // the grid's TitleFont unless set
    void setFont(const QFont &font);
    int FontColor() const;        // the grid's TitleFontColor unless set
    void setFontColor(int color);

private:
    friend class TMCustomDBGrid;
    TColumn *m_column;
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    int m_color = 0;
    bool m_colorSet = false;
    QFont m_font;
    bool m_fontSet = false;
    int m_fontColor = 0;
    bool m_fontColorSet = false;
};

class TColumn {
public:
    explicit TColumn(TDBGridColumns *owner);
    TColumn(const TColumn &) = delete;
    TColumn &operator=(const TColumn &) = delete;

    int Index() const;
    TMCustomDBGrid *Grid() const;
    QString FieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    // The bound field; nullptr while the data set is closed or the name unknown.
    Field *field() const;
    int Width() const { return m_width; }
    void setWidth(int width);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // Unset: the field's alignment (numbers right, others left).
    Qt::Alignment Alignment() const;
    void setAlignment(Qt::Alignment alignment);
    int Color() const;            // the grid's Color unless set
    void setColor(int color);
    QFont Font() const;           // the grid's Font unless set
    void setFont(const QFont &font);
    int FontColor() const;        // the grid's FontColor unless set
    void setFontColor(int color);
    TColumnTitle *Title() { return &m_title; }
    const TColumnTitle *Title() const { return &m_title; }

private:
    friend class TColumnTitle;
    friend class TDBGridColumns;
    friend class TMCustomDBGrid;
    void changed(bool structure);

    TDBGridColumns *m_owner;
    QString m_fieldName;
    int m_width = 64;
    bool m_visible = true;
    bool m_readOnly = false;
    Qt::Alignment m_alignment;
    int m_color = 0;
    bool m_colorSet = false;
    QFont m_font;
    bool m_fontSet = false;
    int m_fontColor = 0;
    bool m_fontColorSet = false;
    TColumnTitle m_title;
};

// The grid's columns. Default columns (one per field) are made when the data
// set opens while no column was added by code; adding a column makes the
// list the grid's own (customised).
class TDBGridColumns {
public:
    explicit TDBGridColumns(TMCustomDBGrid *grid) : m_grid(grid) {}
    TMCustomDBGrid *Grid() const { return m_grid; }
    int Count() const { return int(m_items.size()); }
    TColumn *Items(int index) const;                 // throws on a bad index
    TColumn *operator[](int index) const { return Items(index); }
    TColumn *Add();
    void Clear();
    // Makes one column per field of the open data set (default columns).
    void RebuildColumns();
    bool Customized() const { return m_customized; }

private:
    friend class TColumn;
    friend class TMCustomDBGrid;
    TMCustomDBGrid *m_grid;
    std::vector<std::unique_ptr<TColumn>> m_items;
    bool m_customized = false;
};

// Follows the data set for the grid.
class TGridDataLink : public QObject {
    Q_OBJECT
public:
    explicit TGridDataLink(TMCustomDBGrid *grid);
    DataSet *dataSet() const { return m_dataSet; }
    void setDataSet(DataSet *dataSet);
    bool Active() const { return m_dataSet && m_dataSet->Active(); }
    bool Editing() const;

private:
    TMCustomDBGrid *m_grid;
    QPointer<DataSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
};

// The selected records as bookmarks, in table order.
class TBookmarkList {
public:
    explicit TBookmarkList(TMCustomDBGrid *grid) : m_grid(grid) {}
    int Count() const { return int(m_items.size()); }
    Bookmark Items(int index) const;                 // throws on a bad index
    Bookmark operator[](int index) const { return Items(index); }
    int IndexOf(const Bookmark &bookmark) const;     // -1 when absent
    // Position of bookmark, or where it would be inserted; true when present.
    bool Find(const Bookmark &bookmark, int &index) const;
    bool CurrentRowSelected() const;
    void setCurrentRowSelected(bool selected);
    void Clear();
    // Drops the bookmarks of deleted records (filtered-out ones stay).
    void Refresh();
    // Selection of one record by bookmark (no cursor move).
    bool contains(const Bookmark &bookmark) const { return IndexOf(bookmark) >= 0; }
    void setSelected(const Bookmark &bookmark, bool selected);

private:
    int compare(const Bookmark &a, const Bookmark &b) const;
    TMCustomDBGrid *m_grid;
    QList<Bookmark> m_items;
};

// The data grid's in-place editor.
class TMirelGridInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TMirelGridInplaceEdit(TMCustomDBGrid *grid);
};

class TMCustomDBGrid : public TMCustomGrid {
    Q_OBJECT
public:
    explicit TMCustomDBGrid(QWidget *parent = nullptr);
    ~TMCustomDBGrid() override;

    DataSet *DataSource() const { return m_link->dataSet(); }
    void setDataSource(DataSet *dataSet);
    DataSetModel *dataModel() const { return m_model; }

    int Options() const { return m_options; }
    void setOptions(int options);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    QFont TitleFont() const { return m_titleFont; }
    void setTitleFont(const QFont &font);
    int TitleFontColor() const { return m_titleFontColor; }
    void setTitleFontColor(int color);
    // Each touch toggles the touched record in multi-select mode.
    bool ToggleSelect() const { return m_toggleSelect; }
    void setToggleSelect(bool on) { m_toggleSelect = on; }

    TDBGridColumns &Columns() { return m_columns; }
    const TDBGridColumns &Columns() const { return m_columns; }
    // The fields of the showing columns, in column order.
    int FieldCount() const;
    Field *Fields(int index) const;                  // throws on a bad index
    // The current column (index into Columns) and its field.
    int SelectedIndex() const { return m_col; }
    void setSelectedIndex(int index);
    Field *SelectedField() const;
    void setSelectedField(Field *field);
    TBookmarkList &SelectedRows() { return m_selected; }

    // Draws a column cell as the grid's default drawing does, with the
    // painter's current brush (background), pen (text colour) and font.
    void DefaultDrawColumnCell(QPainter *Canvas, const QRect &Rect, int DataCol, TColumn *Column,
                               TGridDrawState State);
    // The data row (0-based in the view) being painted while OnDrawColumnCell
    // and OnDrawDataCell run; the current row otherwise. The handlers may as
    // well read the painted row's fields and RecNo() directly: the grid
    // holds a DataSet::RowScope of that row around them (the cursor does
    // not move).
    int DrawingRow() const { return m_drawingRow >= 0 ? m_drawingRow : m_row; }
    // Text of the editor written into the field now (no post).
    void UpdateData();

    bool CanEditAcceptKey(QChar c) const override;
    bool CanEditModify() override;
    void EditorKeyPress(QKeyEvent *event) override;
    void EditorLeft(QWidget *newFocus) override;
    int TitlePitch() const override;
    int IndicatorPitch() const override;
    void TitleReleased(int col, Qt::MouseButton button) override;
    void IndicatorPressed(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods) override;

signals:
    void OnCellClick(TColumn *Column);
    void OnTitleClick(TColumn *Column);
    void OnDrawColumnCell(QWidget *Sender, QPainter *Canvas, const QRect &Rect, int DataCol, TColumn *Column,
                          TGridDrawState State);
    void OnDrawDataCell(QWidget *Sender, QPainter *Canvas, const QRect &Rect, Field *Field,
                        TGridDrawState State);
    void OnColEnter(QWidget *Sender);
    void OnColExit(QWidget *Sender);

protected:
    void DrawCell(QPainter &p, int col, int row, const QRect &rect, TGridDrawState state) override;
    void DrawFixedCell(QPainter &p, int col, int row, const QRect &rect) override;
    QString GetEditText(int col, int row) const override;
    void SetEditText(int col, int row, const QString &text) override;
    bool CanEditShow() const override;
    void MoveToCell(int col, int row, Qt::MouseButton button, Qt::KeyboardModifiers mods) override;
    void CellReleased(int col, int row) override;
    bool NavigateKey(QKeyEvent *event) override;
    QFont cellFont(int col) const override;
    Qt::Alignment cellAlignment(int col) const override;
    void LayoutChanged() override;
    TInplaceEdit *CreateEditor() override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class TGridDataLink;
    friend class TColumn;
    friend class TColumnTitle;
    friend class TDBGridColumns;

    // Data link callbacks.
    void linkActiveChanged();
    void linkRecordChanged();
    void linkStateChanged();
    void linkUpdateRecord();
    void modelWasReset();
    // Column callbacks.
    void columnsChanged(bool structure);
    void applyColumnLayout();

    void commitEditor(bool post);
    void moveColumn(int col);
    void pressSelect(Qt::KeyboardModifiers mods);
    Field *columnField(int col) const;
    TGridOptions mappedOptions() const;

    DataSetModel *m_model;
    TGridDataLink *m_link;
    TDBGridColumns m_columns;
    TBookmarkList m_selected;
    int m_options = 3325;
    bool m_readOnly = false;
    QFont m_titleFont;
    int m_titleFontColor = 0;
    bool m_toggleSelect = false;
    int m_drawingRow = -1;
    bool m_applyingLayout = false;
    bool m_committing = false;
    QStringList m_defaultFieldNames;
};
