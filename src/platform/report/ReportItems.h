#pragma once
// The printable items of a report band. Positions and sizes are layout
// pixels (96 per inch at zoom 100 %) relative to the band's top-left corner.
// Every item is a QObject whose object name is its component name; the
// report keeps all items in creation order (Report::components()).

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QRect>
#include <QString>
#include <vector>

class DataSet;

namespace report {

class Band;
class Report;

enum class Alignment { Left, Right, Center };

// A colour given as a decimal colour reference: red in the low byte, green in
// the next, blue in the third (13500416 is dark blue).
QColor ColorFromRef(quint32 ref);

struct FontSpec
{
    QString family = QStringLiteral("맑은 고딕");
    int pixelSize = 12;   // layout pixels
    bool bold = false;
    quint32 color = 0;    // colour reference, black by default
};

// Lines drawn along the sides of an item or a band.
struct Frame
{
    bool top = false, bottom = false, left = false, right = false;
    int penWidth = 1;
    bool any() const { return top || bottom || left || right; }
};

// One frozen drawing step of a prepared page, in page layout pixels.
struct DrawOp
{
    enum Kind { Text, Line, Rect, Check } kind = Text;
    QRectF rect;            // Line: from topLeft to bottomRight
    QString text;
    FontSpec font;
    Alignment align = Alignment::Left;
    bool clip = true;
    int penWidth = 1;
    bool checked = false;
};
using Page = std::vector<DrawOp>;

class Item : public QObject
{
    Q_OBJECT
public:
    ~Item() override;

    Band *band() const;
    Report *report() const { return m_report; }

    int left() const { return m_rect.left(); }
    int top() const { return m_rect.top(); }
    int width() const { return m_rect.width(); }
    int height() const { return m_rect.height(); }
    QRect geometry() const { return m_rect; }
    void setLeft(int left) { m_rect.moveLeft(left); }
    void setTop(int top) { m_rect.moveTop(top); }
    void setWidth(int width) { m_rect.setWidth(width); }
    void setHeight(int height) { m_rect.setHeight(height); }
    void setGeometry(const QRect &rect) { m_rect = rect; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    Frame &frame() { return m_frame; }
    const Frame &frame() const { return m_frame; }

    // Appends what the item prints now, its band's top-left at origin.
    void freeze(QPointF origin, Page &page) const;

protected:
    Item(Band *band, const QString &name, const QRect &rect);
    virtual void freezeContent(const QRectF &rect, Page &page) const = 0;

private:
    Report *m_report;
    QRect m_rect;
    bool m_visible = true;
    Frame m_frame;
};

// Base of the items that print one line of text.
class TextItem : public Item
{
    Q_OBJECT
public:
    Alignment alignment() const { return m_align; }
    void setAlignment(Alignment align) { m_align = align; }
    FontSpec &font() { return m_font; }
    const FontSpec &font() const { return m_font; }
    void setFont(const FontSpec &font) { m_font = font; }
    // Text wider than the item is cut at its edges (the default).
    bool clipped() const { return m_clip; }
    void setClipped(bool clip) { m_clip = clip; }

    // The text the item prints at this moment.
    virtual QString text() const = 0;

protected:
    TextItem(Band *band, const QString &name, const QRect &rect);
    void freezeContent(const QRectF &rect, Page &page) const override;

private:
    Alignment m_align = Alignment::Left;
    FontSpec m_font;
    bool m_clip = true;
};

// A label with a caption set by the form or its events.
class Label : public TextItem
{
    Q_OBJECT
public:
    Label(Band *band, const QString &name, const QRect &rect, const QString &caption = {});
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    QString text() const override { return m_caption; }

private:
    QString m_caption;
};

// A text read from a field of a data set's current row when printed; with a
// number format ("%10.2n") the field's value is formatted, otherwise its text
// is printed. A closed data set or a null value prints nothing.
class DataText : public TextItem
{
    Q_OBJECT
public:
    DataText(Band *band, const QString &name, const QRect &rect, DataSet *dataSet,
             const QString &fieldName, const QString &format = {});
    DataSet *dataSet() const { return m_dataSet; }
    void setDataSet(DataSet *dataSet) { m_dataSet = dataSet; }
    QString fieldName() const { return m_field; }
    void setFieldName(const QString &name) { m_field = name; }
    QString format() const { return m_format; }
    void setFormat(const QString &format) { m_format = format; }
    QString text() const override;

private:
    DataSet *m_dataSet;
    QString m_field;
    QString m_format;
};

// The printing date ("yyyy-mm-dd") or date and time ("yyyy-mm-dd hh:nn:ss")
// of the report run.
class SysData : public TextItem
{
    Q_OBJECT
public:
    enum Kind { Date, DateTime };
    SysData(Band *band, const QString &name, const QRect &rect, Kind kind = Date);
    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }
    QString text() const override;

private:
    Kind m_kind;
};

// A check box, ticked when its boolean field is true (or by setChecked when
// it has no data set); its caption prints to the right of the box.
class CheckBox : public TextItem
{
    Q_OBJECT
public:
    CheckBox(Band *band, const QString &name, const QRect &rect, DataSet *dataSet = nullptr,
             const QString &fieldName = {}, const QString &caption = {});
    DataSet *dataSet() const { return m_dataSet; }
    QString fieldName() const { return m_field; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    void setChecked(bool checked) { m_checked = checked; }
    bool isChecked() const;
    QString text() const override { return m_caption; }

protected:
    void freezeContent(const QRectF &rect, Page &page) const override;

private:
    DataSet *m_dataSet;
    QString m_field;
    QString m_caption;
    bool m_checked = false;
};

// Rules and rectangles drawn with a pen of the given width.
class Shape : public Item
{
    Q_OBJECT
public:
    enum Kind { HorizontalLine, VerticalLine, Rectangle };
    Shape(Band *band, const QString &name, const QRect &rect, Kind kind, int penWidth = 1);
    Kind kind() const { return m_kind; }
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width) { m_penWidth = width; }

protected:
    void freezeContent(const QRectF &rect, Page &page) const override;

private:
    Kind m_kind;
    int m_penWidth;
};

// What a data-aware text prints for a field of the current row: its display
// text, or with a number format ("%10.2n") its formatted value (exact for
// currency fields); a null value, a closed or empty data set print nothing.
// An unknown field name throws.
QString FieldText(const DataSet &dataSet, const QString &field, const QString &format = {});

// Lines of a frame around rect, appended to page.
void FreezeFrame(const Frame &frame, const QRectF &rect, Page &page);

} // namespace report
