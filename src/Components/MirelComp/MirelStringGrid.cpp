#include "Components/MirelComp/MirelStringGrid.h"

#include <QAbstractTableModel>
#include <QPainter>

// The cells below the heading row as the view's rows; the heading row as the
// horizontal header's texts.
class TMStringGrid::Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const QList<QStringList> &rows)
    {
        beginResetModel();
        m_cols = 0;
        for (const QStringList &r : rows)
            m_cols = std::max(m_cols, int(r.size()));
        m_rows = rows;
        for (QStringList &r : m_rows)
            while (r.size() < m_cols)
                r.append(QString());
        endResetModel();
    }
    const QList<QStringList> &rows() const { return m_rows; }
    int cols() const { return m_cols; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || m_rows.isEmpty() ? 0 : int(m_rows.size()) - 1;
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_rows[index.row() + 1][index.column()];
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (role != Qt::DisplayRole || o != Qt::Horizontal || m_rows.isEmpty() || section < 0 || section >= m_cols)
            return {};
        return m_rows[0][section];
    }

private:
    QList<QStringList> m_rows;
    int m_cols = 0;
};

TMStringGrid::TMStringGrid(QWidget *parent) : TMCustomGrid(parent), m_model(new Model(this))
{
    setDefaultRowHeight(24);
    verticalHeader()->hide(); // no fixed column
    setModel(m_model);
    setDefaultColWidth(m_defaultColWidth);
}

TMStringGrid::~TMStringGrid() = default;

void TMStringGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = std::max(0, width);
    horizontalHeader()->setDefaultSectionSize(m_defaultColWidth + ((m_gridOptions & goVertLine) ? 1 : 0));
}

void TMStringGrid::SetTable(const QList<QStringList> &rows)
{
    HideEditor();
    m_model->setRows(rows);
    setDefaultColWidth(m_defaultColWidth);
    for (int c = 0; c < m_model->cols(); ++c)
        setColWidths(c, m_defaultColWidth);
    if (m_row >= RowCount())
        m_row = RowCount() - 1;
    if (m_col >= ColCount())
        m_col = std::max(0, ColCount() - 1);
    InvalidateGrid();
    horizontalHeader()->viewport()->update();
}

QList<QStringList> TMStringGrid::Table() const
{
    return m_model->rows();
}

int TMStringGrid::TableRowCount() const
{
    return int(m_model->rows().size());
}

int TMStringGrid::TableColCount() const
{
    return m_model->cols();
}

QString TMStringGrid::Cells(int col, int row) const
{
    const QList<QStringList> &rows = m_model->rows();
    if (row < 0 || row >= rows.size() || col < 0 || col >= m_model->cols())
        return {};
    return rows[row][col];
}

QRect TMStringGrid::TableCellRect(int col, int row) const
{
    if (row > 0)
        return CellRect(col, row - 1);
    if (row < 0 || col < 0 || col >= ColCount() || !horizontalHeader()->isVisible())
        return {};
    const QHeaderView *h = horizontalHeader();
    QRect r(h->sectionViewportPosition(col), 0, h->sectionSize(col), h->height());
    if (!r.intersects(h->viewport()->rect()))
        return {};
    if (m_gridOptions & goFixedVertLine)
        r.setRight(r.right() - 1);
    if (m_gridOptions & goFixedHorzLine)
        r.setBottom(r.bottom() - 1);
    return r.translated(h->viewport()->mapTo(this, QPoint(0, 0)));
}

int TMStringGrid::TitlePitch() const
{
    // The heading is an ordinary row of the table, as high as the others.
    return RowPitch();
}

void TMStringGrid::DrawCell(QPainter &p, int col, int row, const QRect &rect, TGridDrawState state)
{
    TMCustomGrid::DrawCell(p, col, row, rect, state);
    if (OnDrawCell)
        OnDrawCell(p, col, row + 1, rect, state);
}

void TMStringGrid::DrawFixedCell(QPainter &p, int col, int row, const QRect &rect)
{
    TMCustomGrid::DrawFixedCell(p, col, row, rect);
    if (row >= 0 || !OnDrawCell)
        return;
    p.setBrush(ref(FixedColor()));
    OnDrawCell(p, col, 0, rect, gdFixed);
}
