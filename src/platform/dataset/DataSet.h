#pragma once
// DataSet: an in-memory table with a cursor, the common base of the screens'
// work tables and of the client data sets that read the server.
//
// Vocabulary as the platform had it: Open/Close/Active, First/Next/Prior/Last/
// MoveBy, Bof/Eof, RecNo/RecordCount, FieldByName/FindField, Locate,
// Filter/Filtered, Edit/Append/Insert/Post/Cancel/Delete, EmptyTable,
// DisableControls/EnableControls, bookmarks, hooks BeforePost/AfterPost/
// AfterScroll/AfterOpen.
//
// Rules worth knowing:
//  - Open and "open but empty" are different: a closed data set refuses
//    cursor moves and edits (DataSetError); Close keeps the rows (a work
//    table can be reopened); a derived class may drop them in InternalClose.
//  - Every position (RecNo, RecordCount, MoveBy, Locate, row numbers in the
//    signals and in value()/displayText()) counts in the filtered view.
//  - Moving the cursor, changing the filter, Locate and GotoBookmark first run
//    CheckBrowseMode: updateRecord() is emitted (an open grid editor writes its
//    text into the field), then a modified record is posted and an unmodified
//    one cancelled. Post emits updateRecord() first too.
//  - Edit on an empty data set appends. Append adds at the end of the table,
//    Insert before the current record; the new record is visible (also under a
//    filter) until it is posted or cancelled; RecordCount does not count it.
//    A posted record that does not pass the filter leaves the view.
//  - A bookmark names a record for as long as it exists, whatever the filter
//    or the cursor do. GotoBookmark to a deleted or filtered-out record throws.
//  - Filter texts (see FilterExpression.h) are parsed when set: a bad text
//    throws and the previous filter stays. Changing the filter goes to First.
//  - While controls are disabled (DisableControls, counted) no view signal is
//    emitted; the last EnableControls emits dataSetChanged() once. Hooks and
//    updateRecord() are not suppressed.
//  - Main thread only (QObject, signals to views).

#include "platform/dataset/Field.h"
#include "platform/dataset/FilterExpression.h"

#include <QList>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// Identifies one record of one data set; default-constructed = none.
class Bookmark {
public:
    constexpr Bookmark() = default;
    constexpr bool isNull() const { return m_id == 0; }
    constexpr quint64 id() const { return m_id; }
    friend constexpr bool operator==(Bookmark a, Bookmark b) = default;

private:
    friend class DataSet;
    constexpr explicit Bookmark(quint64 id) : m_id(id) {}
    quint64 m_id = 0;
};

enum class DataSetState { Inactive, Browse, Edit, Insert };

class DataSet : public QObject {
    Q_OBJECT
public:
    explicit DataSet(QObject *parent = nullptr);
    ~DataSet() override;

    // ---- fields -------------------------------------------------------------
    // Defines a field (at the end). Existing rows get a null value. A name that
    // exists already (any case) throws.
    Field &AddField(const QString &name, FieldType type, int size = 0);
    void AddFields(const QList<FieldDef> &defs);
    void ClearFields();                        // only while closed
    int FieldCount() const { return int(m_fields.size()); }
    Field &Fields(int index) const { return *m_fields.at(index); }
    QList<FieldDef> FieldDefs() const;
    Field &FieldByName(const QString &name) const;  // any case; throws when unknown
    Field *FindField(const QString &name) const;    // any case; nullptr when unknown
    int fieldIndex(const QString &name) const;      // -1 when unknown

    // Fills the data set with rows in one step (used by client data sets and
    // table loaders): the columns of defs are matched by name (any case) to
    // the defined fields; without defined fields the columns become the
    // fields. Rows are moved in (values converted in place to the field
    // types; a missing column is null, an unknown one dropped); a row shorter
    // than defs is padded with nulls. Replaces all rows, cancels an edit,
    // keeps Active as it is and, when active, goes to First and emits
    // dataSetChanged(). Throws DataSetError (data set unchanged) when a value
    // does not convert.
    void LoadRows(const QList<FieldDef> &defs, QList<QList<QVariant>> &&rows);

    // ---- open / close -------------------------------------------------------
    void Open();
    void Close();
    bool Active() const { return m_active; }
    void setActive(bool active) { active ? Open() : Close(); }
    DataSetState State() const { return m_state; }

    // ---- cursor -------------------------------------------------------------
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);            // clamped; returns the distance moved
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const;                   // 1-based in the view; 0 when there is no record
    void setRecNo(int recNo);            // clamped to 1..RecordCount
    int RecordCount() const;             // records in the view (a pending insert excluded)

    // Exact match of one field (keyValues a single value) or several fields
    // ("A;B" with keyValues a QVariantList of as many values) in the filtered
    // view, from the first record. Values are converted to the field types (a
    // value that does not convert throws); a null text matches ''. Found: the
    // record becomes current and true is returned; else the cursor stays.
    bool Locate(const QString &keyFields, const QVariant &keyValues);
    bool Locate(const QString &keyFields, const QVariantList &keyValues);

    // ---- bookmarks ----------------------------------------------------------
    Bookmark GetBookmark() const;                 // of the current record; null when none
    void GotoBookmark(const Bookmark &bookmark);  // throws when not valid
    bool BookmarkValid(const Bookmark &bookmark) const; // exists and is in the view
    // Table order of two bookmarks (<0, 0, >0); a null or deleted one sorts first.
    int CompareBookmarks(const Bookmark &a, const Bookmark &b) const;

    // ---- editing ------------------------------------------------------------
    void Edit();
    void Append();
    void Insert();
    void Post();
    void Cancel();
    // Deletes the current record (throws on an empty view; cancels a pending
    // insert instead). The next record becomes current; deleting the last one
    // leaves the new last record current with Eof set.
    void Delete();
    void EmptyTable();                   // every row, also the filtered-out ones
    void CheckBrowseMode();
    bool Modified() const { return m_modified; }
    // Sets each field of the current record (Edit/Insert state) that has a
    // field of the same name (any case) in source to the source's current
    // value, converted. Returns how many fields were copied.
    int CopyFieldsByName(const DataSet &source);

    // ---- filter -------------------------------------------------------------
    QString Filter() const { return m_filterText; }
    void setFilter(const QString &text);
    bool Filtered() const { return m_filtered; }
    void setFiltered(bool filtered);

    // ---- notifications ------------------------------------------------------
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Hooks. BeforePost may throw to keep the record in edit (the exception
    // reaches the caller of Post). AfterScroll runs after every change of the
    // current record (moves, Open, Append/Insert, Delete, cancelled insert,
    // filter change, Locate, GotoBookmark, LoadRows while open).
    std::function<void(DataSet &)> BeforePost;
    std::function<void(DataSet &)> AfterPost;
    std::function<void(DataSet &)> AfterScroll;
    std::function<void(DataSet &)> AfterOpen;

    // ---- row access for views and prints (no cursor move) -------------------
    // Value of a field in a row of the view (the edit buffer for the current
    // record while editing); invalid when out of range.
    QVariant value(int row, int field) const;
    // Field::DisplayText of a row of the view, read inside a RowScope of that
    // row: OnGetText handlers see their own row through the field getters
    // and RecNo().
    QString displayText(int row, int field) const;
    QString text(int row, int field) const;  // Field::Text of a row, the same way
    int currentRow() const { return m_cur; } // the cursor's row, RecNo() - 1 outside a RowScope; -1 when none
    int rowCount() const { return int(m_view.size()); } // the view, pending insert included
    Bookmark bookmarkAt(int row) const;

    // Makes the Field getters (IsNull, As..., DisplayText, Text, and so the
    // OnGetText handlers) and RecNo() read one row of the view for as long as
    // it lives, without moving the cursor: Bof/Eof, the state, the edit
    // buffer and Modified stay as they are, and no signal or hook runs, on
    // entry or on exit. The current record read this way while it is edited
    // shows its edit buffer. A row outside the view reads as nulls, RecNo() 0.
    // Scopes nest (the innermost one wins; ending it brings back the one
    // around it) and end in reverse order, also when an exception leaves them.
    // Only the getters follow the scope: setters, cursor moves and edits
    // still act on the current record, so a handler should not use them
    // inside one. A scope must not outlive its data set.
    //     DataSet::RowScope scope(ds, row);
    //     const QString name = ds.FieldByName("NAME").AsString(); // of row
    class RowScope {
    public:
        RowScope(const DataSet &dataSet, int row);
        ~RowScope();
        RowScope(const RowScope &) = delete;
        RowScope &operator=(const RowScope &) = delete;

    private:
        const DataSet &m_dataSet;
        std::optional<int> m_saved;
    };

signals:
    void opened();
    void closed();
    void dataSetChanged();           // anything may have changed: views reset
    // Row insertions and removals come in pairs, the first before the change
    // and the second after it (as Qt models announce them).
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);       // a row now exists at this view position
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);        // the row at this view position is gone
    void rowChanged(int row);        // values of one row changed (field set, post, cancel)
    void currentChanged(int row);    // the current record moved (-1: none)
    void stateChanged(DataSetState state);
    // Check-browse-mode: an open editor writes its pending text into the
    // current field now. Emitted before cursor moves, filter changes and Post.
    void updateRecord();

protected:
    // Derived classes fetch rows here (e.g. with LoadRows) before the data set
    // becomes active; InternalClose runs once it is inactive and may drop the
    // rows (EmptyTable) or the fields (ClearFields) without notifications.
    // A throwing InternalOpen leaves the data set closed. Defaults do nothing.
    virtual void InternalOpen() {}
    virtual void InternalClose() {}
    void checkActive() const;
    [[noreturn]] void fail(const QString &message) const;

private:
    friend class Field;
    struct Record {
        QList<QVariant> values;
        quint64 id = 0;
    };

    const QVariant &readValue(int field) const;
    void writeValue(int field, QVariant &&value);
    void checkEditing() const;
    bool rowPasses(const Record &r) const;
    void rebuildView();
    int tableIndexOf(quint64 id) const;
    int viewPosOfTable(int tableIndex) const;
    void insertRecord(int tableIndex, int viewPos);
    void beginInsert(int tableIndex, int viewPos);
    void removeRecord(int viewPos);
    void setCursor(int viewPos, bool bof, bool eof);
    void scrolled();
    void emitView(void (DataSet::*signal)());
    void emitView(void (DataSet::*signal)(int), int arg);
    void setState(DataSetState state);
    void rebuildNameIndex();
    QList<int> locateFields(const QString &keyFields) const;

    std::vector<std::unique_ptr<Field>> m_fields;
    QHash<QString, int> m_fieldByName;   // case-folded name -> index
    QHash<QString, int> m_fieldByExactName; // name as defined -> index
    std::vector<Record> m_rows;          // the table, in table order
    std::vector<int> m_view;             // table indices of the visible rows, ascending
    mutable std::unordered_map<quint64, int> m_idIndex;  // id -> table index
    mutable bool m_idIndexDirty = false;
    quint64 m_nextId = 1;

    bool m_active = false;
    DataSetState m_state = DataSetState::Inactive;
    int m_cur = -1;          // view position of the current record
    bool m_bof = true;
    bool m_eof = true;
    QList<QVariant> m_buffer; // the record being edited / inserted
    bool m_modified = false;
    int m_insertPrevRow = -1; // current view row before Append/Insert

    QString m_filterText;
    FilterExpression m_filter;
    bool m_filtered = false;
    bool m_filterBound = false;
    bool m_dynamicFields = false; // fields were made by LoadRows from the columns

    int m_disableCount = 0;
    mutable std::optional<int> m_peekRow; // row read by the Field getters inside a RowScope
};
