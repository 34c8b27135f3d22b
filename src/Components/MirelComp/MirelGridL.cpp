#include "Components/MirelComp/MirelGridL.h"

#include "platform/os/Keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>
#include <optional>

namespace {

const QColor kGreyText(109, 109, 109);

bool editing(const DataSet *ds)
{
    return ds && (ds->State() == DataSetState::Edit || ds->State() == DataSetState::Insert);
}

Qt::Alignment horizontal(Qt::Alignment a)
{
    a &= Qt::AlignHorizontal_Mask;
    return a ? a : Qt::Alignment(Qt::AlignLeft);
}

// Draws text in a cell as the grid places it: `left` pixels from the left
// edge, `right` pixels from the right edge, or centred; `top` pixels below
// the top edge; clipped to the cell.
void drawCellText(QPainter &p, const QRect &rect, const QString &text, Qt::Alignment alignment, int left,
                  int right, int top)
{
    if (text.isEmpty())
        return;
    const QFontMetrics fm(p.font());
    const int width = fm.horizontalAdvance(text);
    int x;
    switch (horizontal(alignment)) {
    case Qt::AlignRight: x = rect.right() + 1 - right - width; break;
    case Qt::AlignHCenter: x = rect.left() + (rect.width() - width) / 2; break;
    default: x = rect.left() + left; break;
    }
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.drawText(QPoint(x, rect.top() + top + fm.ascent()), text);
    p.restore();
}

} // namespace

// ---- TColumnTitle -----------------------------------------------------------

QString TColumnTitle::Caption() const
{
    if (!m_caption.isEmpty())
        return m_caption;
    if (Field *f = m_column->field())
        return f->DisplayLabel();
    return m_column->FieldName();
}

void TColumnTitle::setCaption(const QString &caption)
{
    m_caption = caption;
    m_column->changed(false);
}

void TColumnTitle::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    m_column->changed(false);
}

int TColumnTitle::Color() const
{
    TMCustomDBGrid *g = m_column->Grid();
    return m_colorSet || !g ? m_color : g->FixedColor();
}

void TColumnTitle::setColor(int color)
{
    m_color = color;
    m_colorSet = true;
    m_column->changed(false);
}

QFont TColumnTitle::Font() const
{
    TMCustomDBGrid *g = m_column->Grid();
    return m_fontSet || !g ? m_font : g->TitleFont();
}

void TColumnTitle::setFont(const QFont &font)
{
    m_font = font;
    m_fontSet = true;
    m_column->changed(false);
}

int TColumnTitle::FontColor() const
{
    TMCustomDBGrid *g = m_column->Grid();
    return m_fontColorSet || !g ? m_fontColor : g->TitleFontColor();
}

void TColumnTitle::setFontColor(int color)
{
    m_fontColor = color;
    m_fontColorSet = true;
    m_column->changed(false);
}

// ---- TColumn ----------------------------------------------------------------

TColumn::TColumn(TDBGridColumns *owner) : m_owner(owner), m_title(this) {}

int TColumn::Index() const
{
    for (int i = 0; i < m_owner->Count(); ++i)
        if (m_owner->m_items[size_t(i)].get() == this)
            return i;
    return -1;
}

TMCustomDBGrid *TColumn::Grid() const
{
    return m_owner ? m_owner->Grid() : nullptr;
}

void TColumn::changed(bool structure)
{
    if (TMCustomDBGrid *g = Grid())
        g->columnsChanged(structure);
}

void TColumn::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    changed(true);
}

Field *TColumn::field() const
{
    TMCustomDBGrid *g = Grid();
    DataSet *ds = g ? g->DataSource() : nullptr;
    if (!ds || !ds->Active() || m_fieldName.isEmpty())
        return nullptr;
    return ds->FindField(m_fieldName);
}

void TColumn::setWidth(int width)
{
    width = std::max(0, width);
    if (width == m_width)
        return;
    m_width = width;
    changed(false);
}

void TColumn::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    changed(false);
}

void TColumn::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    changed(false);
}

Qt::Alignment TColumn::Alignment() const
{
    if (m_alignment)
        return m_alignment;
    if (Field *f = field())
        return horizontal(f->Alignment());
    return Qt::AlignLeft;
}

void TColumn::setAlignment(Qt::Alignment alignment)
{
    m_alignment = horizontal(alignment);
    changed(false);
}

int TColumn::Color() const
{
    TMCustomDBGrid *g = Grid();
    return m_colorSet || !g ? m_color : g->Color();
}

void TColumn::setColor(int color)
{
    m_color = color;
    m_colorSet = true;
    changed(false);
}

QFont TColumn::Font() const
{
    TMCustomDBGrid *g = Grid();
    return m_fontSet || !g ? m_font : g->font();
}

void TColumn::setFont(const QFont &font)
{
    m_font = font;
    m_fontSet = true;
    changed(false);
}

int TColumn::FontColor() const
{
    TMCustomDBGrid *g = Grid();
    return m_fontColorSet || !g ? m_fontColor : g->FontColor();
}

void TColumn::setFontColor(int color)
{
    m_fontColor = color;
    m_fontColorSet = true;
    changed(false);
}

// ---- TDBGridColumns ---------------------------------------------------------

TColumn *TDBGridColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    return m_items[size_t(index)].get();
}

TColumn *TDBGridColumns::Add()
{
    if (!m_customized) {
        m_items.clear();
        m_customized = true;
    }
    m_items.push_back(std::make_unique<TColumn>(this));
    TColumn *c = m_items.back().get();
    m_grid->columnsChanged(true);
    return c;
}

void TDBGridColumns::Clear()
{
    m_items.clear();
    m_customized = false;
    m_grid->columnsChanged(true);
}

void TDBGridColumns::RebuildColumns()
{
    m_items.clear();
    m_customized = false;
    if (DataSet *ds = m_grid->DataSource()) {
        for (int f = 0; f < ds->FieldCount(); ++f) {
            m_items.push_back(std::make_unique<TColumn>(this));
            m_items.back()->m_fieldName = ds->Fields(f).FieldName();
        }
    }
}

// ---- TGridDataLink ----------------------------------------------------------

TGridDataLink::TGridDataLink(TMCustomDBGrid *grid) : QObject(grid), m_grid(grid) {}

bool TGridDataLink::Editing() const
{
    return editing(m_dataSet);
}

void TGridDataLink::setDataSet(DataSet *dataSet)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataSet = dataSet;
    if (!dataSet)
        return;
    m_connections << connect(dataSet, &DataSet::opened, this, [this] { m_grid->linkActiveChanged(); })
                  << connect(dataSet, &DataSet::closed, this, [this] { m_grid->linkActiveChanged(); })
                  << connect(dataSet, &DataSet::stateChanged, this, [this] { m_grid->linkStateChanged(); })
                  << connect(dataSet, &DataSet::updateRecord, this, [this] { m_grid->linkUpdateRecord(); })
                  << connect(dataSet, &DataSet::rowRemoved, this, [this] { m_grid->m_selected.Refresh(); })
                  << connect(dataSet, &DataSet::dataSetChanged, this, [this] { m_grid->m_selected.Refresh(); })
                  << connect(dataSet, &QObject::destroyed, this, [this] {
                         m_connections.clear();
                         m_grid->linkActiveChanged();
                     });
}

// ---- TBookmarkList ----------------------------------------------------------

int TBookmarkList::compare(const Bookmark &a, const Bookmark &b) const
{
    if (DataSet *ds = m_grid->DataSource())
        return ds->CompareBookmarks(a, b);
    return a.id() < b.id() ? -1 : (a.id() > b.id() ? 1 : 0);
}

Bookmark TBookmarkList::Items(int index) const
{
    if (index < 0 || index >= m_items.size())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    return m_items.at(index);
}

bool TBookmarkList::Find(const Bookmark &bookmark, int &index) const
{
    int lo = 0, hi = int(m_items.size()) - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const Bookmark &b = m_items.at(mid);
        if (b == bookmark) {
            index = mid;
            return true;
        }
        const int c = compare(b, bookmark);
        if (c < 0 || (c == 0 && b.id() < bookmark.id()))
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    index = lo;
    return false;
}

int TBookmarkList::IndexOf(const Bookmark &bookmark) const
{
    int index = -1;
    return Find(bookmark, index) ? index : -1;
}

void TBookmarkList::setSelected(const Bookmark &bookmark, bool selected)
{
    if (bookmark.isNull())
        return;
    int index = 0;
    const bool present = Find(bookmark, index);
    if (selected && !present)
        m_items.insert(index, bookmark);
    else if (!selected && present)
        m_items.removeAt(index);
    else
        return;
    m_grid->InvalidateGrid();
}

bool TBookmarkList::CurrentRowSelected() const
{
    DataSet *ds = m_grid->DataSource();
    return ds && ds->Active() && contains(ds->GetBookmark());
}

void TBookmarkList::setCurrentRowSelected(bool selected)
{
    DataSet *ds = m_grid->DataSource();
    if (ds && ds->Active())
        setSelected(ds->GetBookmark(), selected);
}

void TBookmarkList::Refresh()
{
    DataSet *ds = m_grid->DataSource();
    if (!ds || m_items.isEmpty())
        return;
    // A deleted record compares like no record at all.
    const qsizetype before = m_items.size();
    m_items.removeIf([ds](const Bookmark &b) { return ds->CompareBookmarks(b, Bookmark()) == 0; });
    if (m_items.size() != before)
        m_grid->InvalidateGrid();
}

void TBookmarkList::Clear()
{
    if (m_items.isEmpty())
        return;
    m_items.clear();
    m_grid->InvalidateGrid();
}

// ---- TMirelGridInplaceEdit --------------------------------------------------

TMirelGridInplaceEdit::TMirelGridInplaceEdit(TMCustomDBGrid *grid) : TInplaceEdit(grid) {}

// ---- TMCustomDBGrid ---------------------------------------------------------

TInplaceEdit *TMCustomDBGrid::CreateEditor()
{
    return new TMirelGridInplaceEdit(this);
}

TMCustomDBGrid::TMCustomDBGrid(QWidget *parent)
    : TMCustomGrid(parent), m_model(new DataSetModel(this)), m_link(new TGridDataLink(this)), m_columns(this),
      m_selected(this)
{
    setModel(m_model);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TMCustomDBGrid::modelWasReset);
    connect(m_model, &DataSetModel::currentRowChanged, this, [this] { linkRecordChanged(); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (m_applyingLayout || col < 0 || col >= m_columns.Count())
            return;
        // Sized by the user: the column keeps the new width.
        m_columns.m_items[size_t(col)]->m_width = std::max(0, size - ((m_gridOptions & goVertLine) ? 1 : 0));
    });
    m_titleFont = font();
    m_gridOptions = mappedOptions();
    LayoutChanged();
}

TMCustomDBGrid::~TMCustomDBGrid()
{
    disconnect(m_model, nullptr, this, nullptr);
    m_link->setDataSet(nullptr);
}

void TMCustomDBGrid::setDataSource(DataSet *dataSet)
{
    if (dataSet == m_link->dataSet())
        return;
    HideEditor();
    m_selected.Clear();
    m_model->setDataSet(dataSet);
    m_link->setDataSet(dataSet);
    modelWasReset(); // the model was reset before the link knew the data set
    linkActiveChanged();
}

// ---- options ------------------------------------------------------------------

TGridOptions TMCustomDBGrid::mappedOptions() const
{
    TGridOptions o;
    if (m_options & dgColLines)
        o |= goFixedVertLine | goVertLine;
    if (m_options & dgRowLines)
        o |= goFixedHorzLine | goHorzLine;
    if (m_options & dgColumnResize)
        o |= goColSizing;
    if (m_options & dgTabs)
        o |= goTabs;
    if (m_options & dgRowSelect)
        o |= goRowSelect;
    if (m_options & dgEditing)
        o |= goEditing;
    if (m_options & dgAlwaysShowEditor)
        o |= goAlwaysShowEditor;
    return o;
}

void TMCustomDBGrid::setOptions(int options)
{
    options &= 0x1FFF;
    // Whole-row selection and cell editing exclude each other.
    if (options & dgRowSelect)
        options &= ~(dgEditing | dgAlwaysShowEditor);
    if (options == m_options)
        return;
    const int old = m_options;
    m_options = options;
    if ((old & dgMultiSelect) && !(options & dgMultiSelect))
        m_selected.Clear();
    const TGridOptions mapped = mappedOptions();
    if (!(mapped & goEditing)) {
        writeEditorText();
        HideEditor();
    }
    m_gridOptions = mapped;
    LayoutChanged();
}

void TMCustomDBGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly)
        HideEditor();
}

void TMCustomDBGrid::setTitleFont(const QFont &font)
{
    m_titleFont = font;
    LayoutChanged();
}

void TMCustomDBGrid::setTitleFontColor(int color)
{
    if (color == m_titleFontColor)
        return;
    m_titleFontColor = color;
    repaintAll();
}

// ---- layout -------------------------------------------------------------------

int TMCustomDBGrid::TitlePitch() const
{
    // The painter resolves a title font against the font of the title row,
    // which a grid takes from its parent as well (a tab page handed to its
    // tab widget after the grid was made): measure the font it paints with.
    const QFont rowFont = horizontalHeader()->viewport()->font();
    int height = 0;
    for (int i = 0; i < m_columns.Count(); ++i)
        height = std::max(height, QFontMetrics(m_columns.Items(i)->Title()->Font().resolve(rowFont)).height());
    if (m_columns.Count() == 0)
        height = QFontMetrics(m_titleFont.resolve(rowFont)).height();
    return height + 4 + ((m_gridOptions & goFixedHorzLine) ? 1 : 0);
}

int TMCustomDBGrid::IndicatorPitch() const
{
    return 11 + ((m_gridOptions & goFixedVertLine) ? 1 : 0);
}

void TMCustomDBGrid::LayoutChanged()
{
    // Row height from the body font: text height + 3, + the line with row lines.
    const int textHeight = QFontMetrics(font()).height();
    setDefaultRowHeight(textHeight + 3 + ((m_options & dgRowLines) ? 1 : 0));
    setTabKeyNavigation(m_options & dgTabs);
    horizontalHeader()->setVisible(m_options & dgTitles);
    verticalHeader()->setVisible(m_options & dgIndicator);
    applyColumnLayout();
    TMCustomGrid::LayoutChanged();
    if (isVisible())
        repaintAll();
}

void TMCustomDBGrid::applyColumnLayout()
{
    if (m_columns.Count() != m_model->columnCount())
        return; // the model follows at its next reset
    m_applyingLayout = true;
    const int line = (m_gridOptions & goVertLine) ? 1 : 0;
    for (int i = 0; i < m_columns.Count(); ++i) {
        const TColumn *c = m_columns.Items(i);
        setColumnHidden(i, !c->Visible());
        if (c->Visible())
            horizontalHeader()->resizeSection(i, c->Width() + line);
    }
    m_applyingLayout = false;
    horizontalHeader()->updateGeometry();
    updateGeometries();
}

void TMCustomDBGrid::columnsChanged(bool structure)
{
    if (structure) {
        if (m_columns.Customized()) {
            QList<DataSetColumn> list;
            for (const auto &c : m_columns.m_items) {
                DataSetColumn d;
                d.fieldName = c->m_fieldName;
                d.title = c->m_title.m_caption;
                d.width = c->m_width;
                d.alignment = c->m_alignment;
                d.readOnly = c->m_readOnly;
                d.visible = c->m_visible;
                list << d;
            }
            m_model->setColumns(list);
        } else {
            m_model->setColumns({});
        }
        return; // modelWasReset lays out
    }
    applyColumnLayout();
    TMCustomGrid::LayoutChanged();
    if (isVisible())
        repaintAll();
}

void TMCustomDBGrid::modelWasReset()
{
    if (!m_columns.Customized()) {
        QStringList names;
        if (DataSet *ds = DataSource())
            for (int f = 0; f < ds->FieldCount(); ++f)
                names << ds->Fields(f).FieldName();
        if (names != m_defaultFieldNames || m_columns.Count() != names.size()) {
            m_defaultFieldNames = names;
            m_columns.RebuildColumns();
        }
    }
    if (m_col >= m_columns.Count())
        m_col = std::max(0, m_columns.Count() - 1);
    applyColumnLayout();
    m_row = m_model->currentRow();
    scrollToCurrent();
}

// ---- data link ----------------------------------------------------------------

void TMCustomDBGrid::linkActiveChanged()
{
    HideEditor();
    m_selected.Clear();
    m_row = m_model->currentRow();
    LayoutChanged();
    scrollToCurrent();
}

void TMCustomDBGrid::linkRecordChanged()
{
    const int row = m_model->currentRow();
    if (row != m_row) {
        // Whatever was typed went into the field through the check-browse-mode
        // signal before the move.
        HideEditor();
        const int old = m_row;
        m_row = row;
        InvalidateRow(old);
        InvalidateRow(row);
    }
    scrollToCurrent();
    if ((m_gridOptions & goAlwaysShowEditor) && (m_gridOptions & goEditing) && hasFocus())
        ShowEditor();
}

void TMCustomDBGrid::linkStateChanged()
{
    InvalidateRow(m_row);
    DataSet *ds = DataSource();
    if (EditorMode() && !editing(ds) && !m_editor->Modified()) {
        // Posted or cancelled elsewhere: show the field's value again.
        m_editor->setText(GetEditText(m_col, m_row));
        m_editor->selectAll();
    }
}

void TMCustomDBGrid::linkUpdateRecord()
{
    if (m_committing)
        return;
    writeEditorText();
}

void TMCustomDBGrid::UpdateData()
{
    writeEditorText();
}

// ---- fields -------------------------------------------------------------------

Field *TMCustomDBGrid::columnField(int col) const
{
    if (col < 0 || col >= m_columns.Count())
        return nullptr;
    return m_columns.Items(col)->field();
}

int TMCustomDBGrid::FieldCount() const
{
    int n = 0;
    for (int i = 0; i < m_columns.Count(); ++i)
        if (m_columns.Items(i)->Visible())
            ++n;
    return n;
}

Field *TMCustomDBGrid::Fields(int index) const
{
    int n = 0;
    for (int i = 0; i < m_columns.Count(); ++i) {
        const TColumn *c = m_columns.Items(i);
        if (!c->Visible())
            continue;
        if (n++ == index)
            return c->field();
    }
    throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
}

void TMCustomDBGrid::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_columns.Count())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    moveColumn(index);
}

Field *TMCustomDBGrid::SelectedField() const
{
    return columnField(m_col);
}

void TMCustomDBGrid::setSelectedField(Field *field)
{
    if (!field)
        return;
    for (int i = 0; i < m_columns.Count(); ++i)
        if (m_columns.Items(i)->FieldName().compare(field->FieldName(), Qt::CaseInsensitive) == 0) {
            moveColumn(i);
            return;
        }
}

// ---- editing ------------------------------------------------------------------

bool TMCustomDBGrid::CanEditShow() const
{
    if (!TMCustomGrid::CanEditShow() || m_readOnly || !m_link->Active())
        return false;
    const TColumn *c = m_col < m_columns.Count() ? m_columns.Items(m_col) : nullptr;
    return c && !c->ReadOnly() && c->field() && m_row >= 0 && m_row < m_model->rowCount();
}

bool TMCustomDBGrid::CanEditAcceptKey(QChar c) const
{
    const Field *f = columnField(m_col);
    return f && f->IsValidChar(c);
}

bool TMCustomDBGrid::CanEditModify()
{
    if (!CanEditShow())
        return false;
    DataSet *ds = DataSource();
    if (!editing(ds))
        ds->Edit();
    return editing(ds);
}

QString TMCustomDBGrid::GetEditText(int col, int row) const
{
    Field *f = columnField(col);
    DataSet *ds = DataSource();
    if (!f || !ds || row < 0 || row >= ds->rowCount())
        return {};
    return ds->text(row, f->Index());
}

void TMCustomDBGrid::SetEditText(int col, int row, const QString &text)
{
    Field *f = columnField(col);
    DataSet *ds = DataSource();
    if (!f || !ds || !ds->Active() || row != ds->currentRow())
        return;
    m_committing = true;
    try {
        if (!editing(ds))
            ds->Edit();
        f->setAsString(text);
    } catch (...) {
        m_committing = false;
        throw;
    }
    m_committing = false;
}

void TMCustomDBGrid::commitEditor(bool post)
{
    if (!EditorMode())
        return;
    writeEditorText();
    DataSet *ds = DataSource();
    if (post && editing(ds))
        ds->Post(); // BeforePost runs; a refusal keeps the editor open
    HideEditor();
}

void TMCustomDBGrid::EditorKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitEditor(true);
        break;
    case Qt::Key_Escape: {
        HideEditor();
        DataSet *ds = DataSource();
        if (editing(ds))
            ds->Cancel();
        break;
    }
    default:
        // Row keys move the data set, which writes and posts the text first;
        // column keys commit through moveColumn.
        keyPressEvent(event);
        break;
    }
}

void TMCustomDBGrid::EditorLeft(QWidget *)
{
    try {
        writeEditorText();
    } catch (...) {
        // The text stays for correction; the error goes to the caller's display.
        if (m_editor)
            m_editor->setFocus();
        throw;
    }
}

// ---- moves ----------------------------------------------------------------------

void TMCustomDBGrid::moveColumn(int col)
{
    if (col == m_col || col < 0 || col >= m_columns.Count())
        return;
    commitEditor(true);
    emit OnColExit(this);
    m_col = col;
    scrollToCurrent();
    InvalidateRow(m_row);
    emit OnColEnter(this);
    if ((m_gridOptions & goAlwaysShowEditor) && (m_gridOptions & goEditing) && hasFocus())
        ShowEditor();
}

void TMCustomDBGrid::pressSelect(Qt::KeyboardModifiers mods)
{
    const bool toggle = m_toggleSelect || (mods & Qt::ControlModifier)
                        || (os::HeldModifiers() & Qt::ControlModifier);
    if (toggle) {
        m_selected.setCurrentRowSelected(!m_selected.CurrentRowSelected());
    } else {
        m_selected.Clear();
        m_selected.setCurrentRowSelected(true);
    }
}

void TMCustomDBGrid::MoveToCell(int col, int row, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    DataSet *ds = DataSource();
    if (!ds || !ds->Active())
        return;
    if (col != m_col && col >= 0)
        moveColumn(col);
    const int cur = ds->currentRow();
    if (row >= 0 && cur >= 0 && row != cur)
        ds->MoveBy(row - cur);
    if (button == Qt::LeftButton && (m_options & dgMultiSelect) && ds->currentRow() == row)
        pressSelect(mods);
}

void TMCustomDBGrid::CellReleased(int, int)
{
    if (m_col >= 0 && m_col < m_columns.Count())
        emit OnCellClick(m_columns.Items(m_col));
}

void TMCustomDBGrid::TitleReleased(int col, Qt::MouseButton button)
{
    if (button == Qt::LeftButton && col >= 0 && col < m_columns.Count())
        emit OnTitleClick(m_columns.Items(col));
}

void TMCustomDBGrid::IndicatorPressed(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    if (focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    MoveToCell(m_col, row, button, mods);
}

bool TMCustomDBGrid::NavigateKey(QKeyEvent *event)
{
    DataSet *ds = DataSource();
    const bool active = ds && ds->Active();
    auto nextVisible = [this](int from, int step) {
        for (int c = from + step; c >= 0 && c < m_columns.Count(); c += step)
            if (m_columns.Items(c)->Visible())
                return c;
        return from;
    };
    switch (event->key()) {
    case Qt::Key_Up:
        if (active)
            ds->Prior();
        return true;
    case Qt::Key_Down:
        if (active)
            ds->Next();
        return true;
    case Qt::Key_PageUp:
        if (active)
            ds->MoveBy(-VisibleRowCount());
        return true;
    case Qt::Key_PageDown:
        if (active)
            ds->MoveBy(VisibleRowCount());
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!(event->modifiers() & Qt::ControlModifier))
            return false;
        if (active)
            event->key() == Qt::Key_Home ? ds->First() : ds->Last();
        return true;
    case Qt::Key_Left:
        moveColumn(nextVisible(m_col, -1));
        return true;
    case Qt::Key_Right:
        moveColumn(nextVisible(m_col, 1));
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!(m_options & dgTabs))
            return false;
        moveColumn(nextVisible(m_col, event->key() == Qt::Key_Tab ? 1 : -1));
        return true;
    case Qt::Key_Escape:
        if (editing(ds)) {
            ds->Cancel();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TMCustomDBGrid::wheelEvent(QWheelEvent *event)
{
    DataSet *ds = DataSource();
    const int steps = event->angleDelta().y() / 120;
    if (ds && ds->Active() && steps != 0)
        ds->MoveBy(-steps);
    event->accept();
}

// ---- painting -------------------------------------------------------------------

QFont TMCustomDBGrid::cellFont(int col) const
{
    return col >= 0 && col < m_columns.Count() ? m_columns.Items(col)->Font() : font();
}

Qt::Alignment TMCustomDBGrid::cellAlignment(int col) const
{
    return col >= 0 && col < m_columns.Count() ? m_columns.Items(col)->Alignment() : Qt::AlignLeft;
}

void TMCustomDBGrid::DrawCell(QPainter &p, int col, int row, const QRect &rect, TGridDrawState state)
{
    if (col < 0 || col >= m_columns.Count())
        return;
    TColumn *column = m_columns.Items(col);
    DataSet *ds = DataSource();
    const bool focused = hasFocus() || (m_editor && m_editor->hasFocus());
    bool highlight = (m_options & dgMultiSelect) && ds && m_selected.Count() > 0
                     && m_selected.contains(ds->bookmarkAt(row));
    if ((state & gdSelected) && ((m_options & dgAlwaysShowSelection) || focused))
        highlight = true;
    QColor back = ref(column->Color());
    QColor text = ref(column->FontColor());
    if (highlight) {
        back = ref(ColorSelectedCell());
        text = ref(ColorSelectedFont());
    }
    if (!isEnabled())
        text = kGreyText;
    p.setFont(column->Font());
    p.setPen(text);
    p.setBrush(back);
    {
        // The handlers and the default drawing read the painted row through
        // the fields and RecNo(); the cursor stays where it is.
        const QScopedValueRollback<int> drawing(m_drawingRow, row);
        std::optional<DataSet::RowScope> rowScope;
        if (ds)
            rowScope.emplace(*ds, row);
        if (DefaultDrawing())
            DefaultDrawColumnCell(&p, rect, col, column, state);
        if (!m_columns.Customized())
            emit OnDrawDataCell(this, &p, rect, column->field(), state);
        emit OnDrawColumnCell(this, &p, rect, col, column, state);
    }
    if (DefaultDrawing() && (state & gdSelected) && !(m_options & dgRowSelect)
        && (focused || (m_options & dgAlwaysShowSelection))) {
        QPen dotted(text, 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void TMCustomDBGrid::DefaultDrawColumnCell(QPainter *Canvas, const QRect &Rect, int DataCol, TColumn *Column,
                                           TGridDrawState)
{
    if (!Canvas)
        return;
    Canvas->fillRect(Rect, Canvas->brush());
    DataSet *ds = DataSource();
    Field *f = Column ? Column->field() : columnField(DataCol);
    const int row = DrawingRow();
    if (!f || !ds || row < 0 || row >= ds->rowCount())
        return;
    const QString text = ds->displayText(row, f->Index());
    drawCellText(*Canvas, Rect, text, Column ? Column->Alignment() : horizontal(f->Alignment()), 2, 3, 2);
}

void TMCustomDBGrid::DrawFixedCell(QPainter &p, int col, int row, const QRect &rect)
{
    if (row < 0) {
        if (col < 0 || col >= m_columns.Count())
            return;
        const TColumnTitle *title = m_columns.Items(col)->Title();
        p.fillRect(rect, ref(title->Color()));
        p.setFont(title->Font());
        p.setPen(isEnabled() ? ref(title->FontColor()) : kGreyText);
        const bool bothLines =
            (m_gridOptions & (goFixedVertLine | goFixedHorzLine)) == (goFixedVertLine | goFixedHorzLine);
        const int margin = bothLines ? 1 : 2;
        drawCellText(p, rect, title->Caption(), title->Alignment(), margin, margin + 1, margin);
        return;
    }
    // Indicator: current record (arrow, edit bar, insert star), selected dot.
    DataSet *ds = DataSource();
    if (!ds || !ds->Active())
        return;
    const bool selected = (m_options & dgMultiSelect) && m_selected.contains(ds->bookmarkAt(row));
    const bool current = row == m_row;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    const QPoint c = rect.center();
    if (current) {
        if (ds->State() == DataSetState::Edit) {
            p.fillRect(QRect(c.x() - 1, c.y() - 4, 2, 9), QColor(0, 0, 0));
        } else if (ds->State() == DataSetState::Insert) {
            p.setPen(QColor(0, 0, 0));
            p.drawLine(c.x() - 3, c.y(), c.x() + 3, c.y());
            p.drawLine(c.x(), c.y() - 3, c.x(), c.y() + 3);
            p.drawLine(c.x() - 2, c.y() - 2, c.x() + 2, c.y() + 2);
            p.drawLine(c.x() - 2, c.y() + 2, c.x() + 2, c.y() - 2);
        } else {
            const int left = selected ? c.x() - 4 : c.x() - 2;
            QPainterPath arrow;
            arrow.moveTo(left, c.y() - 4);
            arrow.lineTo(left + 4, c.y());
            arrow.lineTo(left, c.y() + 4);
            arrow.closeSubpath();
            p.drawPath(arrow);
        }
    }
    if (selected)
        p.drawEllipse(QPoint(current ? c.x() + 3 : c.x(), c.y()), 2, 2);
}
