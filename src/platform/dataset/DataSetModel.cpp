#include "platform/dataset/DataSetModel.h"

#include <QSize>

DataSetModel::DataSetModel(QObject *parent) : QAbstractTableModel(parent) {}

DataSetModel::DataSetModel(DataSet *dataSet, QObject *parent) : QAbstractTableModel(parent)
{
    setDataSet(dataSet);
}

void DataSetModel::setDataSet(DataSet *dataSet)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        m_connections << connect(dataSet, &DataSet::opened, this, &DataSetModel::resetFromDataSet)
                      << connect(dataSet, &DataSet::closed, this, &DataSetModel::resetFromDataSet)
                      << connect(dataSet, &DataSet::dataSetChanged, this, &DataSetModel::resetFromDataSet)
                      << connect(dataSet, &DataSet::rowAboutToBeInserted, this, &DataSetModel::onRowAboutToBeInserted)
                      << connect(dataSet, &DataSet::rowInserted, this, &DataSetModel::onRowInserted)
                      << connect(dataSet, &DataSet::rowAboutToBeRemoved, this, &DataSetModel::onRowAboutToBeRemoved)
                      << connect(dataSet, &DataSet::rowRemoved, this, &DataSetModel::onRowRemoved)
                      << connect(dataSet, &DataSet::rowChanged, this, &DataSetModel::onRowChanged)
                      << connect(dataSet, &DataSet::currentChanged, this, &DataSetModel::currentRowChanged)
                      << connect(dataSet, &QObject::destroyed, this, [this] {
                             m_dataSet = nullptr;
                             resetFromDataSet();
                         });
    }
    resetFromDataSet();
}

void DataSetModel::setColumns(const QList<DataSetColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    rebuildEffectiveColumns();
    endResetModel();
    emit columnsChanged();
}

void DataSetModel::setColumnVisible(int index, bool visible)
{
    if (index < 0 || index >= m_effective.size() || m_effective[index].visible == visible)
        return;
    if (m_columns.isEmpty())
        m_columns = m_effective;
    m_columns[index].visible = visible;
    m_effective[index].visible = visible;
    emit headerDataChanged(Qt::Horizontal, index, index);
    emit columnsChanged();
}

Field *DataSetModel::columnField(int index) const
{
    if (!m_dataSet || index < 0 || index >= m_fieldOfColumn.size() || m_fieldOfColumn[index] < 0)
        return nullptr;
    return &m_dataSet->Fields(m_fieldOfColumn[index]);
}

void DataSetModel::rebuildEffectiveColumns()
{
    m_effective.clear();
    m_fieldOfColumn.clear();
    if (m_columns.isEmpty() && m_dataSet) {
        for (int f = 0; f < m_dataSet->FieldCount(); ++f) {
            DataSetColumn c;
            c.fieldName = m_dataSet->Fields(f).FieldName();
            m_effective << c;
        }
    } else {
        m_effective = m_columns;
    }
    for (const DataSetColumn &c : std::as_const(m_effective))
        m_fieldOfColumn << (m_dataSet ? m_dataSet->fieldIndex(c.fieldName) : -1);
}

void DataSetModel::resetFromDataSet()
{
    m_pending = Pending::None;
    beginResetModel();
    rebuildEffectiveColumns();
    m_rows = m_dataSet && m_dataSet->Active() ? m_dataSet->rowCount() : 0;
    endResetModel();
    emit currentRowChanged(currentRow());
}

void DataSetModel::onRowAboutToBeInserted(int row)
{
    if (m_pending != Pending::None || !m_dataSet || row < 0 || row > m_rows || m_dataSet->rowCount() != m_rows)
        return; // out of step: onRowInserted resets
    beginInsertRows({}, row, row);
    m_pending = Pending::Insert;
}

void DataSetModel::onRowInserted(int)
{
    if (m_pending != Pending::Insert) {
        resetFromDataSet();
        return;
    }
    m_pending = Pending::None;
    ++m_rows;
    endInsertRows();
    if (m_dataSet->rowCount() != m_rows)
        resetFromDataSet();
}

void DataSetModel::onRowAboutToBeRemoved(int row)
{
    if (m_pending != Pending::None || !m_dataSet || row < 0 || row >= m_rows || m_dataSet->rowCount() != m_rows)
        return;
    beginRemoveRows({}, row, row);
    m_pending = Pending::Remove;
}

void DataSetModel::onRowRemoved(int)
{
    if (m_pending != Pending::Remove) {
        resetFromDataSet();
        return;
    }
    m_pending = Pending::None;
    --m_rows;
    endRemoveRows();
    if (m_dataSet->rowCount() != m_rows)
        resetFromDataSet();
}

void DataSetModel::onRowChanged(int row)
{
    if (row < 0 || row >= m_rows || m_effective.isEmpty())
        return;
    emit dataChanged(index(row, 0), index(row, int(m_effective.size()) - 1));
}

int DataSetModel::currentRow() const
{
    return m_dataSet && m_dataSet->Active() ? m_dataSet->currentRow() : -1;
}

void DataSetModel::setCurrentRow(int row)
{
    if (!m_dataSet || !m_dataSet->Active() || row < 0 || row >= m_rows)
        return;
    const int cur = m_dataSet->currentRow();
    if (row != cur)
        m_dataSet->MoveBy(row - cur);
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_effective.size());
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!m_dataSet || !index.isValid() || index.row() >= m_rows || index.column() >= m_effective.size())
        return {};
    const int f = m_fieldOfColumn[index.column()];
    switch (role) {
    case Qt::DisplayRole: return f < 0 ? QString() : m_dataSet->displayText(index.row(), f);
    case Qt::EditRole: return f < 0 ? QString() : m_dataSet->text(index.row(), f);
    case ValueRole: return f < 0 ? QVariant() : m_dataSet->value(index.row(), f);
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = m_effective[index.column()].alignment;
        if (!a && f >= 0)
            a = m_dataSet->Fields(f).Alignment();
        if (!a)
            a = Qt::AlignLeft | Qt::AlignVCenter;
        return QVariant::fromValue(a);
    }
    default: return {};
    }
}

bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !m_dataSet || !m_dataSet->Active() || !index.isValid()
        || index.row() >= m_rows || index.column() >= m_effective.size())
        return false;
    const int f = m_fieldOfColumn[index.column()];
    if (f < 0 || m_effective[index.column()].readOnly)
        return false;
    setCurrentRow(index.row());
    if (m_dataSet->currentRow() != index.row())
        return false;
    m_dataSet->Edit();
    m_dataSet->Fields(f).setAsString(value.toString());
    return true;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= m_effective.size())
        return {};
    const DataSetColumn &c = m_effective[section];
    switch (role) {
    case Qt::DisplayRole: {
        if (!c.title.isEmpty())
            return c.title;
        if (Field *f = columnField(section))
            return f->DisplayLabel();
        return c.fieldName;
    }
    case Qt::SizeHintRole: return QSize(c.width, 0);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.alignment ? c.alignment : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default: return {};
    }
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() < m_effective.size() && !m_effective[index.column()].readOnly
        && m_fieldOfColumn.value(index.column(), -1) >= 0)
        fl |= Qt::ItemIsEditable;
    return fl;
}
