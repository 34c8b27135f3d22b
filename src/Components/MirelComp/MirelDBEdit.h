#pragma once
// A single-line edit that can show and edit one field of the current record
// of a data set. Without a data set and field name it is a plain box that
// keeps whatever text the screen sets (the screens use it so, disabled, for
// their totals). There is no edit mask: a field's text is shown and written
// as it is.
//
// Bound behaviour: the box is read-only except while its link edits; typing,
// Delete, Backspace, cut and paste put the data set into edit mode; Escape
// shows the field's value again; a posted or left record takes the typed
// text. A right- or centre-aligned field shows its display text in that
// alignment while the box has no focus and its edit text left-aligned while
// focused. The data set in DataSource stands for the platform's data source.

#include "platform/dataset/DataSet.h"

#include <QLineEdit>
#include <QPointer>

// Connects a control to one field of a data set and calls it back when the
// data set becomes active or inactive, the record changes, the editing state
// changes or the record is about to be written.
class TFieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit TFieldDataLink(QObject *parent = nullptr);

    DataSet *DataSource() const { return m_dataSet; }
    void setDataSource(DataSet *dataSet);
    QString FieldName() const { return m_fieldName; }
    // Binds the field when the data set is active; an unknown name throws the
    // data set's error.
    void setFieldName(const QString &name);
    Field *field() const { return m_field; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool Active() const;
    bool Editing() const { return m_editing; }
    bool Modified() const { return m_modified; }
    void setModified() { m_modified = true; }
    // Whether the field may be changed through this link.
    bool CanModify() const;
    // Puts the data set into edit mode when allowed; returns Editing().
    bool Edit();
    // Shows the field's value again (drops the typed text).
    void Reset();
    // Writes a modified text to the field now (leaving the control).
    void UpdateRecord();

signals:
    void activeChanged();
    void dataChanged();
    void editingChanged();
    void updateData();

private:
    void bind();
    void refreshEditing();
    void onUpdateRecord();

    QPointer<DataSet> m_dataSet;
    QString m_fieldName;
    Field *m_field = nullptr;
    bool m_readOnly = false;
    bool m_editing = false;
    bool m_modified = false;
    QList<QMetaObject::Connection> m_connections;
};

class TMirelDBEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE setDataField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly_)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength_)
    Q_PROPERTY(int Color READ Color WRITE setColor)
    Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE setPasswordChar)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)

public:
    explicit TMirelDBEdit(QWidget *parent = nullptr);

    DataSet *DataSource() const { return m_link->DataSource(); }
    void setDataSource(DataSet *dataSet);
    QString DataField() const { return m_link->FieldName(); }
    void setDataField(const QString &name);
    bool ReadOnly() const { return m_link->ReadOnly(); }
    void setReadOnly_(bool readOnly) { m_link->setReadOnly(readOnly); }
    // 0: no limit.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength_(int length);
    // Background colour (colour reference), also while disabled.
    int Color() const { return m_color; }
    void setColor(int color);
    int FontColor() const { return m_fontColor; }
    void setFontColor(int color);
    // 0 no border, 1 single.
    int BorderStyle() const { return hasFrame() ? 1 : 0; }
    void setBorderStyle(int style) { setFrame(style != 0); }
    QString PasswordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString &c);
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    TFieldDataLink *dataLink() const { return m_link; }
    Field *field() const { return m_link->field(); }

signals:
    // After every change of the text (the link is marked modified first).
    void OnChange(QWidget *Sender);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void dataChanged();
    void editingChanged();
    void updateData();
    void activeChanged();
    void applyAlignment();
    void applyPalette();
    bool m_displaying = false;

    TFieldDataLink *m_link;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_focused = false;
    int m_maxLength = 0;
    int m_color = 16777215;
    int m_fontColor = 0;
    QString m_passwordChar;
    int m_tag = 0;
};
