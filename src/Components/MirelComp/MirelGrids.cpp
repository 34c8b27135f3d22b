#include "Components/MirelComp/MirelGrids.h"

#include "Components/MirelComp/MirelColor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kEdgeLight(255, 255, 255);
const QColor kEdgeShadow(160, 160, 160);

// Hands every scrolling cell to the grid's own painting.
class TGridCellDelegate : public QStyledItemDelegate {
public:
    explicit TGridCellDelegate(TMCustomGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        m_grid->paintScrollingCell(*p, option.rect, index.column(), index.row());
    }

private:
    TMCustomGrid *m_grid;
};

bool isPrintable(QChar c)
{
    return c.unicode() >= 32 && c != QChar(127);
}

} // namespace

EInvalidGridOperation::EInvalidGridOperation(const QString &message)
    : std::runtime_error(message.toUtf8().toStdString())
{
}

// ---- TInplaceEdit -----------------------------------------------------------

TInplaceEdit::TInplaceEdit(TMCustomGrid *grid) : QLineEdit(grid->viewport()), m_grid(grid)
{
    setFrame(false);
    hide();
    connect(this, &QLineEdit::textEdited, this, [this] { m_modified = true; });
}

bool TInplaceEdit::allowChange(QChar c)
{
    if (isPrintable(c) && !m_grid->CanEditAcceptKey(c))
        return false;
    return m_grid->CanEditModify();
}

void TInplaceEdit::typeChar(QChar c)
{
    if (!allowChange(c)) {
        QApplication::beep();
        return;
    }
    if (c == QChar(8)) {
        if (hasSelectedText())
            del();
        else
            backspace();
    } else {
        insert(QString(c));
    }
    m_modified = true;
}

void TInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_grid->EditorKeyPress(event);
        return;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar c;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        c = QChar(8);
    else if (!event->text().isEmpty())
        c = event->text().at(0);
    if (!c.isNull()) {
        QChar key = c;
        emit m_grid->OnKeyPress(m_grid, key);
        if (key.isNull()) {
            event->accept();
            return;
        }
        if (!allowChange(c)) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    QWidget *next = QApplication::focusWidget();
    if (isVisible() && next != m_grid && next != this)
        m_grid->EditorLeft(next);
}

// ---- TGridHeader ------------------------------------------------------------

TGridHeader::TGridHeader(Qt::Orientation orientation, TMCustomGrid *grid)
    : QHeaderView(orientation, grid), m_grid(grid)
{
    setMinimumSectionSize(0);
    setHighlightSections(false);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QHeaderView::sectionResized, this, [this] { m_resized = true; });
}

QSize TGridHeader::sizeHint() const
{
    if (orientation() == Qt::Horizontal)
        return {length(), m_grid->TitlePitch()};
    return {m_grid->IndicatorPitch(), length()};
}

void TGridHeader::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QRect area = event->rect();
    m_grid->paintHeaderEmpty(p, area);
    if (count() == 0)
        return;
    const bool horizontal = orientation() == Qt::Horizontal;
    int first = visualIndexAt(horizontal ? area.left() : area.top());
    int last = visualIndexAt(horizontal ? area.right() : area.bottom());
    if (first < 0)
        first = 0;
    if (last < 0)
        last = count() - 1;
    for (int v = first; v <= last; ++v) {
        const int logical = logicalIndex(v);
        if (isSectionHidden(logical))
            continue;
        const int pos = sectionViewportPosition(logical);
        const int size = sectionSize(logical);
        const QRect section = horizontal ? QRect(pos, 0, size, viewport()->height())
                                         : QRect(0, pos, viewport()->width(), size);
        m_grid->paintHeaderSection(p, orientation(), logical, section);
    }
}

void TGridHeader::mousePressEvent(QMouseEvent *event)
{
    m_resized = false;
    QHeaderView::mousePressEvent(event);
    if (orientation() == Qt::Vertical) {
        const int row = logicalIndexAt(event->position().toPoint());
        if (row >= 0)
            m_grid->IndicatorPressed(row, event->button(), event->modifiers());
    }
    m_grid->headerMouse(viewport(), event);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    QHeaderView::mouseReleaseEvent(event);
    if (orientation() == Qt::Horizontal && !m_resized) {
        const int col = logicalIndexAt(event->position().toPoint());
        const QPoint pos = event->position().toPoint();
        if (col >= 0 && pos.y() >= 0 && pos.y() < height())
            m_grid->TitleReleased(col, event->button());
    }
    m_resized = false;
    m_grid->headerMouse(viewport(), event);
}

// ---- TMCustomGrid -----------------------------------------------------------

TMCustomGrid::TMCustomGrid(QWidget *parent) : QTableView(parent)
{
    setHorizontalHeader(new TGridHeader(Qt::Horizontal, this));
    setVerticalHeader(new TGridHeader(Qt::Vertical, this));
    // The view's own selection follows the headers; the grid does its own.
    for (QHeaderView *h : {horizontalHeader(), verticalHeader()}) {
        disconnect(h, SIGNAL(sectionPressed(int)), this, nullptr);
        disconnect(h, SIGNAL(sectionEntered(int)), this, nullptr);
        disconnect(h, SIGNAL(sectionHandleDoubleClicked(int)), this, nullptr);
    }
    setItemDelegate(new TGridCellDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);
    setAutoScroll(false);
    setMouseTracking(false);
    m_corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
    m_gridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    applyPalette();
    LayoutChanged();
}

TMCustomGrid::~TMCustomGrid() = default;

QColor TMCustomGrid::ref(int color)
{
    return mirel::colorFromRef(color);
}

void TMCustomGrid::repaintAll()
{
    if (!isVisible()) {
        viewport()->update();
        horizontalHeader()->viewport()->update();
        verticalHeader()->viewport()->update();
        return;
    }
    viewport()->repaint();
    if (horizontalHeader()->isVisible())
        horizontalHeader()->viewport()->repaint();
    if (verticalHeader()->isVisible())
        verticalHeader()->viewport()->repaint();
    if (m_corner && m_corner->isVisible())
        m_corner->repaint();
}

void TMCustomGrid::setColorSelectedCell(int color)
{
    if (color == m_colorSelectedCell)
        return;
    m_colorSelectedCell = color;
    repaintAll();
}

void TMCustomGrid::setColorSelectedFont(int color)
{
    if (color == m_colorSelectedFont)
        return;
    m_colorSelectedFont = color;
    repaintAll();
}

void TMCustomGrid::setColorLines(int color)
{
    if (color == m_colorLines)
        return;
    m_colorLines = color;
    repaintAll();
}

void TMCustomGrid::setColor(int color)
{
    if (color == m_color)
        return;
    m_color = color;
    applyPalette();
    repaintAll();
}

void TMCustomGrid::setFixedColor(int color)
{
    if (color == m_fixedColor)
        return;
    m_fixedColor = color;
    repaintAll();
}

void TMCustomGrid::setFontColor(int color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    repaintAll();
}

void TMCustomGrid::setDefaultDrawing(bool on)
{
    if (on == m_defaultDrawing)
        return;
    m_defaultDrawing = on;
    InvalidateGrid();
}

void TMCustomGrid::setScrollBars(int bars)
{
    m_scrollBars = bars;
    setHorizontalScrollBarPolicy((bars & 1) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((bars & 2) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TMCustomGrid::setBorderStyle(int style)
{
    setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
    if (style != 0)
        setLineWidth(1);
}

void TMCustomGrid::applyPalette()
{
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, ref(m_color));
    pal.setColor(QPalette::Window, ref(m_color));
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
}

void TMCustomGrid::setGridOptions(TGridOptions options)
{
    if (options == m_gridOptions)
        return;
    m_gridOptions = options;
    if (!(options & goEditing))
        HideEditor();
    LayoutChanged();
}

// ---- layout -----------------------------------------------------------------

void TMCustomGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = std::max(1, height);
    applyRowHeights();
}

int TMCustomGrid::RowPitch() const
{
    return m_defaultRowHeight + ((m_gridOptions & goHorzLine) ? 1 : 0);
}

void TMCustomGrid::applyRowHeights()
{
    QHeaderView *v = verticalHeader();
    v->setMinimumSectionSize(0);
    v->setDefaultSectionSize(RowPitch());
    v->setSectionResizeMode(QHeaderView::Fixed);
}

int TMCustomGrid::TitlePitch() const
{
    return QFontMetrics(font()).height() + 4 + ((m_gridOptions & goFixedHorzLine) ? 1 : 0);
}

int TMCustomGrid::IndicatorPitch() const
{
    return 11 + ((m_gridOptions & goFixedVertLine) ? 1 : 0);
}

void TMCustomGrid::LayoutChanged()
{
    applyRowHeights();
    horizontalHeader()->setSectionResizeMode((m_gridOptions & goColSizing) ? QHeaderView::Interactive
                                                                            : QHeaderView::Fixed);
    updateGeometries();
    if (m_editor && m_editor->isVisible())
        m_editor->setGeometry(editorRect());
    InvalidateGrid();
}

int TMCustomGrid::ColWidths(int col) const
{
    if (col < 0 || col >= ColCount())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    return horizontalHeader()->sectionSize(col) - ((m_gridOptions & goVertLine) ? 1 : 0);
}

void TMCustomGrid::setColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    horizontalHeader()->resizeSection(col, std::max(0, width) + ((m_gridOptions & goVertLine) ? 1 : 0));
}

int TMCustomGrid::ColCount() const
{
    return model() ? model()->columnCount() : 0;
}

int TMCustomGrid::RowCount() const
{
    return model() ? model()->rowCount() : 0;
}

int TMCustomGrid::TopRow() const
{
    return RowCount() == 0 ? -1 : std::max(0, rowAt(0));
}

int TMCustomGrid::VisibleRowCount() const
{
    return std::max(1, viewport()->height() / std::max(1, RowPitch()));
}

QRect TMCustomGrid::CellRect(int col, int row) const
{
    if (!model() || row < 0 || row >= RowCount() || col < 0 || col >= ColCount() || isColumnHidden(col))
        return {};
    QRect r = visualRect(model()->index(row, col));
    if (!r.intersects(viewport()->rect()))
        return {};
    if (m_gridOptions & goVertLine)
        r.setRight(r.right() - 1);
    if (m_gridOptions & goHorzLine)
        r.setBottom(r.bottom() - 1);
    return r.translated(viewport()->pos());
}

// ---- current cell -------------------------------------------------------------

void TMCustomGrid::setCol(int col)
{
    if (col < 0 || col >= ColCount())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    MoveToCell(col, m_row, Qt::NoButton, {});
}

void TMCustomGrid::setRow(int row)
{
    if (row < 0 || row >= RowCount())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    MoveToCell(m_col, row, Qt::NoButton, {});
}

void TMCustomGrid::scrollToCurrent()
{
    if (!model() || m_row < 0 || m_row >= RowCount())
        return;
    int col = m_col;
    if (col < 0 || col >= ColCount() || isColumnHidden(col)) {
        // Row moves only: keep the horizontal position.
        const QModelIndex first = model()->index(m_row, 0);
        const int keep = horizontalScrollBar()->value();
        scrollTo(first, EnsureVisible);
        horizontalScrollBar()->setValue(keep);
        return;
    }
    const QModelIndex index = model()->index(m_row, col);
    if (m_gridOptions & goRowSelect) {
        const int keep = horizontalScrollBar()->value();
        scrollTo(index, EnsureVisible);
        horizontalScrollBar()->setValue(keep);
    } else {
        scrollTo(index, EnsureVisible);
    }
}

void TMCustomGrid::InvalidateGrid()
{
    viewport()->update();
    verticalHeader()->viewport()->update();
}

void TMCustomGrid::InvalidateRow(int row)
{
    if (!model() || row < 0 || row >= RowCount())
        return;
    const int y = rowViewportPosition(row);
    viewport()->update(QRect(0, y, viewport()->width(), rowHeight(row)));
    verticalHeader()->viewport()->update(QRect(0, y, verticalHeader()->width(), rowHeight(row)));
}

// ---- painting -----------------------------------------------------------------

QFont TMCustomGrid::cellFont(int) const
{
    return font();
}

Qt::Alignment TMCustomGrid::cellAlignment(int) const
{
    return Qt::AlignLeft;
}

void TMCustomGrid::paintScrollingCell(QPainter &p, const QRect &section, int col, int row)
{
    p.save();
    QRect cell = section;
    if (m_gridOptions & goVertLine) {
        p.fillRect(QRect(section.right(), section.top(), 1, section.height()), ref(m_colorLines));
        cell.setRight(cell.right() - 1);
    }
    if (m_gridOptions & goHorzLine) {
        p.fillRect(QRect(section.left(), section.bottom(), section.width(), 1), ref(m_colorLines));
        cell.setBottom(cell.bottom() - 1);
    }
    TGridDrawState state;
    const bool focusedGrid = hasFocus() || (m_editor && m_editor->hasFocus());
    if (row == m_row && (col == m_col || (m_gridOptions & goRowSelect)))
        state |= gdSelected;
    if (row == m_row && col == m_col && focusedGrid)
        state |= gdFocused;
    // Selected cells other than the focused one (any of them with row
    // selection) take the selection colours.
    const bool highlight = (state & gdSelected)
                           && (!(state & gdFocused) || (m_gridOptions & (goDrawFocusSelected | goRowSelect)));
    const QColor back = highlight ? ref(m_colorSelectedCell) : ref(m_color);
    const QColor text = highlight ? ref(m_colorSelectedFont) : ref(m_fontColor);
    p.setClipRect(cell, Qt::IntersectClip);
    p.fillRect(cell, back);
    p.setBrush(back);
    p.setPen(text);
    p.setFont(cellFont(col));
    DrawCell(p, col, row, cell, state);
    p.restore();
}

void TMCustomGrid::DrawCell(QPainter &p, int col, int row, const QRect &rect, TGridDrawState)
{
    if (!model())
        return;
    const QString text = model()->index(row, col).data(Qt::DisplayRole).toString();
    p.drawText(rect.adjusted(2, 2, -2, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void TMCustomGrid::paintHeaderEmpty(QPainter &p, const QRect &rect)
{
    p.fillRect(rect, ref(m_color));
}

void TMCustomGrid::fixedEdge(QPainter &p, QRect &rect) const
{
    // Both line options: the fixed cell is inset by one pixel and framed
    // with a raised inner edge.
    if ((m_gridOptions & (goFixedVertLine | goFixedHorzLine)) != (goFixedVertLine | goFixedHorzLine))
        return;
    p.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), kEdgeLight);
    p.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), kEdgeLight);
    p.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), kEdgeShadow);
    p.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), kEdgeShadow);
    rect.adjust(1, 1, -1, -1);
}

void TMCustomGrid::paintHeaderSection(QPainter &p, Qt::Orientation o, int logical, const QRect &section)
{
    p.save();
    // Lines of the title row over the scrolling columns take ColorLines; the
    // indicator column keeps black lines.
    const QColor line = o == Qt::Horizontal ? ref(m_colorLines) : kBlack;
    QRect cell = section;
    if (m_gridOptions & goFixedVertLine) {
        p.fillRect(QRect(section.right(), section.top(), 1, section.height()), line);
        cell.setRight(cell.right() - 1);
    }
    if (m_gridOptions & goFixedHorzLine) {
        p.fillRect(QRect(section.left(), section.bottom(), section.width(), 1), line);
        cell.setBottom(cell.bottom() - 1);
    }
    p.setClipRect(cell, Qt::IntersectClip);
    p.fillRect(cell, ref(m_fixedColor));
    fixedEdge(p, cell);
    p.setPen(ref(m_fontColor));
    p.setFont(font());
    if (o == Qt::Horizontal)
        DrawFixedCell(p, logical, -1, cell);
    else
        DrawFixedCell(p, -1, logical, cell);
    p.restore();
}

void TMCustomGrid::paintCorner(QPainter &p, const QRect &rect)
{
    QRect cell = rect;
    if (m_gridOptions & goFixedVertLine) {
        p.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), kBlack);
        cell.setRight(cell.right() - 1);
    }
    if (m_gridOptions & goFixedHorzLine) {
        p.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), kBlack);
        cell.setBottom(cell.bottom() - 1);
    }
    p.fillRect(cell, ref(m_fixedColor));
    fixedEdge(p, cell);
}

void TMCustomGrid::DrawFixedCell(QPainter &p, int col, int row, const QRect &rect)
{
    if (!model() || row >= 0)
        return;
    const QString text = model()->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    p.drawText(rect.adjusted(2, 2, -2, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

bool TMCustomGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QPainter p(m_corner);
        paintCorner(p, m_corner->rect());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

bool TMCustomGrid::viewportEvent(QEvent *event)
{
    // No hover tracking or tool tips from the view: the grid draws itself.
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
        return true;
    default:
        return QTableView::viewportEvent(event);
    }
}

// ---- editor -------------------------------------------------------------------

bool TMCustomGrid::EditorMode() const
{
    return m_editor && m_editor->isVisible();
}

void TMCustomGrid::setEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else {
        writeEditorText();
        HideEditor();
    }
}

bool TMCustomGrid::CanEditShow() const
{
    return (m_gridOptions & goEditing) && !(m_gridOptions & goRowSelect) && model() && m_row >= 0
           && m_row < RowCount() && m_col >= 0 && m_col < ColCount() && !isColumnHidden(m_col);
}

bool TMCustomGrid::CanEditAcceptKey(QChar) const
{
    return true;
}

bool TMCustomGrid::CanEditModify()
{
    return true;
}

QString TMCustomGrid::GetEditText(int col, int row) const
{
    return model() ? model()->index(row, col).data(Qt::EditRole).toString() : QString();
}

void TMCustomGrid::SetEditText(int col, int row, const QString &text)
{
    if (model())
        model()->setData(model()->index(row, col), text, Qt::EditRole);
}

TInplaceEdit *TMCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QRect TMCustomGrid::editorRect() const
{
    if (!model() || m_row < 0 || m_col < 0)
        return {};
    QRect r = visualRect(model()->index(m_row, m_col));
    if (m_gridOptions & goVertLine)
        r.setRight(r.right() - 1);
    if (m_gridOptions & goHorzLine)
        r.setBottom(r.bottom() - 1);
    return r;
}

void TMCustomGrid::ShowEditor()
{
    if (!CanEditShow())
        return;
    scrollToCurrent();
    if (!m_editor)
        m_editor = CreateEditor();
    if (!m_editor->isVisible()) {
        m_editor->setFont(cellFont(m_col));
        m_editor->setAlignment(cellAlignment(m_col) | Qt::AlignVCenter);
        m_editor->setText(GetEditText(m_col, m_row));
        m_editor->selectAll();
        m_editor->setModified(false);
    }
    m_editor->setGeometry(editorRect());
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void TMCustomGrid::HideEditor()
{
    if (!m_editor || !m_editor->isVisible())
        return;
    const bool hadFocus = m_editor->hasFocus();
    m_editor->setModified(false);
    m_hidingEditor = true;
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    m_editor->hide();
    m_hidingEditor = false;
    viewport()->update();
}

void TMCustomGrid::writeEditorText()
{
    if (!m_editor || !m_editor->isVisible() || !m_editor->Modified())
        return;
    SetEditText(m_col, m_row, m_editor->text());
    m_editor->setModified(false);
}

void TMCustomGrid::ShowEditorChar(QChar c)
{
    if (!CanEditShow())
        return;
    if (isPrintable(c) && !CanEditAcceptKey(c)) {
        QApplication::beep();
        return;
    }
    if (!CanEditModify()) {
        QApplication::beep();
        return;
    }
    ShowEditor();
    if (EditorMode())
        m_editor->typeChar(c);
}

void TMCustomGrid::EditorKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        writeEditorText();
        HideEditor();
        break;
    case Qt::Key_Escape:
        HideEditor();
        break;
    default:
        writeEditorText();
        HideEditor();
        keyPressEvent(event);
        break;
    }
}

void TMCustomGrid::EditorLeft(QWidget *)
{
    writeEditorText();
}

// ---- mouse and keys -----------------------------------------------------------

void TMCustomGrid::MoveToCell(int col, int row, Qt::MouseButton, Qt::KeyboardModifiers)
{
    if (col == m_col && row == m_row)
        return;
    writeEditorText();
    HideEditor();
    m_col = col;
    m_row = row;
    scrollToCurrent();
    InvalidateGrid();
}

void TMCustomGrid::CellReleased(int, int) {}

void TMCustomGrid::TitleReleased(int, Qt::MouseButton) {}

void TMCustomGrid::IndicatorPressed(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    if (focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    MoveToCell(m_col, row, button, mods);
}

void TMCustomGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (focusPolicy() != Qt::NoFocus && !hasFocus() && !(m_editor && m_editor->hasFocus()))
        setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(pos);
    m_pressOnEditorCell = false;
    if (index.isValid()) {
        const bool wasCurrent = index.row() == m_row && index.column() == m_col;
        if (!wasCurrent)
            writeEditorText();
        MoveToCell(index.column(), index.row(), event->button(), event->modifiers());
        // A second touch on the current cell opens its editor.
        if (wasCurrent && event->button() == Qt::LeftButton && (m_gridOptions & goEditing) && !EditorMode()
            && CanEditShow()) {
            m_pressOnEditorCell = true;
            ShowEditor();
        }
    }
    emit OnMouseDown(this, event->button(), event->modifiers(), gridPos(pos));
    event->accept();
}

void TMCustomGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    const bool onEditor = m_editor && m_editor->isVisible() && m_editor->geometry().contains(pos)
                          && !m_pressOnEditorCell;
    if (event->button() == Qt::LeftButton && index.isValid() && !onEditor)
        CellReleased(index.column(), index.row());
    m_pressOnEditorCell = false;
    emit OnMouseUp(this, event->button(), event->modifiers(), gridPos(pos));
    event->accept();
}

void TMCustomGrid::mouseMoveEvent(QMouseEvent *event)
{
    emit OnMouseMove(this, event->modifiers(), gridPos(event->position().toPoint()));
    event->accept();
}

void TMCustomGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit OnDblClick(this);
    event->accept();
}

bool TMCustomGrid::NavigateKey(QKeyEvent *event)
{
    int row = m_row, col = m_col;
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_PageUp: row -= VisibleRowCount(); break;
    case Qt::Key_PageDown: row += VisibleRowCount(); break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_Tab:
        if (!(m_gridOptions & goTabs))
            return false;
        ++col;
        break;
    case Qt::Key_Backtab:
        if (!(m_gridOptions & goTabs))
            return false;
        --col;
        break;
    default: return false;
    }
    row = std::clamp(row, 0, std::max(0, RowCount() - 1));
    col = std::clamp(col, 0, std::max(0, ColCount() - 1));
    if (RowCount() > 0 && ColCount() > 0)
        MoveToCell(col, row, Qt::NoButton, event->modifiers());
    return true;
}

void TMCustomGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    emit OnKeyDown(this, key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    if (NavigateKey(event)) {
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (m_gridOptions & goEditing)
        && !(m_gridOptions & goAlwaysShowEditor)) {
        ShowEditor();
        event->accept();
        return;
    }
    if (key == Qt::Key_F2 && (m_gridOptions & goEditing)) {
        ShowEditor();
        event->accept();
        return;
    }
    QChar c;
    if (key == Qt::Key_Backspace)
        c = QChar(8);
    else if (!event->text().isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        c = event->text().at(0);
    if (!c.isNull() && (isPrintable(c) || c == QChar(8))) {
        emit OnKeyPress(this, c);
        if (!c.isNull() && (m_gridOptions & goEditing))
            ShowEditorChar(c);
        event->accept();
        return;
    }
    event->ignore();
}

void TMCustomGrid::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    emit OnKeyUp(this, key, event->modifiers());
    event->accept();
}

void TMCustomGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (event->reason() != Qt::OtherFocusReason || !(m_editor && m_editor->isVisible()))
        emit OnEnter(this);
    if ((m_gridOptions & goAlwaysShowEditor) && (m_gridOptions & goEditing) && !EditorMode() && !m_hidingEditor)
        ShowEditor();
    InvalidateGrid();
}

void TMCustomGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (!(m_editor && m_editor->hasFocus()))
        emit OnExit(this);
    InvalidateGrid();
}

void TMCustomGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        LayoutChanged();
    else if (event->type() == QEvent::EnabledChange)
        InvalidateGrid();
}

void TMCustomGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (m_editor && m_editor->isVisible())
        m_editor->setGeometry(editorRect());
}

void TMCustomGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    // The current row stays in view when the grid gets its final size.
    scrollToCurrent();
}

void TMCustomGrid::headerMouse(QWidget *header, QMouseEvent *event)
{
    const QPoint pos = header->mapTo(this, event->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress)
        emit OnMouseDown(this, event->button(), event->modifiers(), pos);
    else if (event->type() == QEvent::MouseButtonRelease)
        emit OnMouseUp(this, event->button(), event->modifiers(), pos);
}

void TMCustomGrid::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_editor && m_editor->isVisible())
        m_editor->setGeometry(editorRect());
}
