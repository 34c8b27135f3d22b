#include "Components/MirelComp/MirelDBEdit.h"

#include "Components/MirelComp/MirelColor.h"
#include "platform/dataset/DataSet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

using mirel::colorFromRef;

// ---- TFieldDataLink ---------------------------------------------------------

TFieldDataLink::TFieldDataLink(QObject *parent) : QObject(parent) {}

void TFieldDataLink::setDataSource(DataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        auto activeChange = [this] {
            bind();
            emit activeChanged();
            refreshEditing();
        };
        auto recordChange = [this] {
            emit dataChanged();
            m_modified = false;
        };
        m_connections << connect(dataSet, &DataSet::opened, this, activeChange)
                      << connect(dataSet, &DataSet::closed, this, activeChange)
                      << connect(dataSet, &DataSet::dataSetChanged, this, recordChange)
                      << connect(dataSet, &DataSet::currentChanged, this, recordChange)
                      << connect(dataSet, &DataSet::rowChanged, this,
                                 [this, recordChange](int row) {
                                     if (m_dataSet && row == m_dataSet->currentRow())
                                         recordChange();
                                 })
                      << connect(dataSet, &DataSet::stateChanged, this, [this] { refreshEditing(); })
                      << connect(dataSet, &DataSet::updateRecord, this, [this] { onUpdateRecord(); })
                      << connect(dataSet, &QObject::destroyed, this, [this] {
                             // A freed data source unbinds itself.
                             m_connections.clear();
                             m_field = nullptr;
                             m_editing = false;
                             emit activeChanged();
                             emit editingChanged();
                         });
    }
    bind();
    emit activeChanged();
    refreshEditing();
}

void TFieldDataLink::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    bind();
    emit activeChanged();
    refreshEditing();
}

void TFieldDataLink::bind()
{
    m_field = nullptr;
    m_modified = false;
    if (m_dataSet && m_dataSet->Active() && !m_fieldName.isEmpty())
        m_field = &m_dataSet->FieldByName(m_fieldName); // throws for a missing field
}

bool TFieldDataLink::Active() const
{
    return m_dataSet && m_dataSet->Active();
}

void TFieldDataLink::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    refreshEditing();
}

bool TFieldDataLink::CanModify() const
{
    return !m_readOnly && m_field && Active();
}

void TFieldDataLink::refreshEditing()
{
    const bool editing = CanModify()
                         && (m_dataSet->State() == DataSetState::Edit
                             || m_dataSet->State() == DataSetState::Insert);
    if (editing == m_editing)
        return;
    m_editing = editing;
    m_modified = false;
    emit editingChanged();
}

bool TFieldDataLink::Edit()
{
    if (CanModify() && m_dataSet->State() == DataSetState::Browse)
        m_dataSet->Edit();
    refreshEditing();
    return m_editing;
}

void TFieldDataLink::Reset()
{
    emit dataChanged();
    m_modified = false;
}

void TFieldDataLink::onUpdateRecord()
{
    if (!m_modified)
        return;
    if (m_field)
        emit updateData(); // may throw: the record keeps the modification
    m_modified = false;
}

void TFieldDataLink::UpdateRecord()
{
    onUpdateRecord();
}

// ---- TMirelDBEdit -----------------------------------------------------------

TMirelDBEdit::TMirelDBEdit(QWidget *parent) : QLineEdit(parent), m_link(new TFieldDataLink(this))
{
    QLineEdit::setReadOnly(true);
    QLineEdit::setMaxLength(32767);
    connect(m_link, &TFieldDataLink::activeChanged, this, &TMirelDBEdit::activeChanged);
    connect(m_link, &TFieldDataLink::dataChanged, this, &TMirelDBEdit::dataChanged);
    connect(m_link, &TFieldDataLink::editingChanged, this, &TMirelDBEdit::editingChanged);
    connect(m_link, &TFieldDataLink::updateData, this, &TMirelDBEdit::updateData);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_displaying && m_link->field())
            m_link->setModified();
        emit OnChange(this);
    });
    applyPalette();
}

void TMirelDBEdit::setDataSource(DataSet *dataSet)
{
    m_link->setDataSource(dataSet);
}

void TMirelDBEdit::setDataField(const QString &name)
{
    m_link->setFieldName(name);
}

void TMirelDBEdit::setMaxLength_(int length)
{
    m_maxLength = length < 0 ? 0 : length;
    QLineEdit::setMaxLength(m_maxLength == 0 ? 32767 : m_maxLength);
}

void TMirelDBEdit::setColor(int color)
{
    m_color = color;
    applyPalette();
}

void TMirelDBEdit::setFontColor(int color)
{
    m_fontColor = color;
    applyPalette();
}

void TMirelDBEdit::applyPalette()
{
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, colorFromRef(m_color));
    pal.setColor(QPalette::Active, QPalette::Text, colorFromRef(m_fontColor));
    pal.setColor(QPalette::Inactive, QPalette::Text, colorFromRef(m_fontColor));
    setPalette(pal);
}

void TMirelDBEdit::setPasswordChar(const QString &c)
{
    m_passwordChar = c.left(1);
    setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
}

void TMirelDBEdit::applyAlignment()
{
    const Qt::Alignment horizontal = m_focused ? Qt::AlignLeft : m_alignment;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TMirelDBEdit::dataChanged()
{
    Field *f = m_link->field();
    m_displaying = true;
    if (f) {
        const Qt::Alignment a = f->Alignment() & Qt::AlignHorizontal_Mask;
        if (a != m_alignment) {
            clear();
            m_alignment = a;
        }
        if (f->DataType() == FieldType::String && m_maxLength == 0 && f->Size() > 0)
            setMaxLength_(f->Size());
        if (m_focused && m_link->CanModify()) {
            setText(f->Text());
        } else {
            setText(f->DisplayText());
            if (m_link->Editing() && m_link->Modified())
                setModified(true);
        }
    } else {
        m_alignment = Qt::AlignLeft;
        clear();
    }
    m_displaying = false;
    applyAlignment();
}

void TMirelDBEdit::editingChanged()
{
    QLineEdit::setReadOnly(!m_link->Editing());
}

void TMirelDBEdit::updateData()
{
    if (Field *f = m_link->field())
        f->setAsString(text());
}

void TMirelDBEdit::activeChanged()
{
    Field *f = m_link->field();
    if (f && f->DataType() == FieldType::String && m_maxLength != 0 && m_maxLength == f->Size())
        setMaxLength_(0);
    // Unbinding keeps the text the screen may have set; binding shows the field.
    if (f)
        dataChanged();
    editingChanged();
}

void TMirelDBEdit::keyPressEvent(QKeyEvent *event)
{
    if (!m_link->field()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (key == Qt::Key_Escape) {
        m_link->Reset();
        selectAll();
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete || (key == Qt::Key_Insert && (mods & Qt::ShiftModifier))
        || key == Qt::Key_Backspace || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::Cut)) {
        m_link->Edit();
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && !(mods & Qt::ControlModifier)) {
        const QChar c = text.at(0);
        if (c.unicode() >= 32 && c.unicode() <= 255 && !m_link->field()->IsValidChar(c)) {
            QApplication::beep();
            event->accept();
            return;
        }
        if (c.unicode() >= 32 && c.unicode() <= 63735)
            m_link->Edit();
    }
    QLineEdit::keyPressEvent(event);
}

void TMirelDBEdit::focusInEvent(QFocusEvent *event)
{
    m_focused = true;
    if (m_link->field()) {
        dataChanged();
        // Korean input composes characters: the box is writable at once.
        if (m_link->CanModify())
            QLineEdit::setReadOnly(false);
    }
    applyAlignment();
    QLineEdit::focusInEvent(event);
}

void TMirelDBEdit::focusOutEvent(QFocusEvent *event)
{
    if (m_link->field()) {
        try {
            m_link->UpdateRecord();
        } catch (...) {
            // The text stays for correction; the error goes to the caller's
            // error display.
            selectAll();
            setFocus();
            throw;
        }
    }
    m_focused = false;
    if (m_link->field()) {
        dataChanged();
        editingChanged();
    }
    applyAlignment();
    QLineEdit::focusOutEvent(event);
}

void TMirelDBEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // Cut, paste and undo of the menu change the field: edit mode first.
    if (m_link->field())
        m_link->Edit();
    QLineEdit::contextMenuEvent(event);
}
