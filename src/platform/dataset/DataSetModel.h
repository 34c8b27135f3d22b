#pragma once
// DataSetModel: a Qt table model over a data set, for grids.
//
// Rows are the data set's view (filtered; a pending insert included); columns
// are the configured column list (every column, hidden ones too: a view hides
// those with visible == false, see isColumnVisible). With no column list set,
// one column per field.
//
// Roles: DisplayRole = the field's display text; EditRole = its edit text;
// TextAlignmentRole = the column's alignment (the field's when unset);
// ValueRole = the stored value. Header: the title, or the field's
// DisplayLabel when the title is empty; SizeHintRole gives the width.
// setData(EditRole) makes the row current, puts the data set in Edit and sets
// the field from the text (no Post: leaving the record posts it); a
// conversion error is thrown to the caller (the data set stays in Edit).
//
// Follows the data set: opened/closed/dataSetChanged (filter, EmptyTable,
// LoadRows, last EnableControls) reset the model; the row insert/remove
// pairs insert/remove one row; rowChanged updates one row; currentChanged is
// passed on as currentRowChanged.

#include "platform/dataset/DataSet.h"

#include <QAbstractTableModel>
#include <QPointer>

struct DataSetColumn {
    QString fieldName;
    QString title;                 // empty: the field's DisplayLabel
    int width = 64;
    Qt::Alignment alignment = {};  // empty: the field's default alignment
    bool readOnly = false;
    bool visible = true;
};

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Roles { ValueRole = Qt::UserRole + 1 };

    explicit DataSetModel(QObject *parent = nullptr);
    explicit DataSetModel(DataSet *dataSet, QObject *parent = nullptr);

    DataSet *dataSet() const { return m_dataSet; }
    void setDataSet(DataSet *dataSet);

    QList<DataSetColumn> columns() const { return m_columns; }
    void setColumns(const QList<DataSetColumn> &columns);
    const DataSetColumn &column(int index) const { return m_effective.at(index); }
    void setColumnVisible(int index, bool visible);
    bool isColumnVisible(int index) const { return m_effective.at(index).visible; }
    // The field bound to a column; nullptr when the name is unknown or closed.
    Field *columnField(int index) const;

    // The data set's current record as a model row (-1: none); setting it moves
    // the data set by the difference.
    int currentRow() const;
    void setCurrentRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void currentRowChanged(int row);
    void columnsChanged();

private:
    void resetFromDataSet();
    void rebuildEffectiveColumns();
    void onRowAboutToBeInserted(int row);
    void onRowInserted(int row);
    void onRowAboutToBeRemoved(int row);
    void onRowRemoved(int row);
    void onRowChanged(int row);

    QPointer<DataSet> m_dataSet;
    QList<DataSetColumn> m_columns;    // as configured
    QList<DataSetColumn> m_effective;  // configured, or one per field
    QList<int> m_fieldOfColumn;        // field index per column, -1 unknown
    int m_rows = 0;                    // row count as last announced to views
    enum class Pending { None, Insert, Remove } m_pending = Pending::None;
    QList<QMetaObject::Connection> m_connections;
};
