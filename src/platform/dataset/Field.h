#pragma once
// Field definitions and the Field object through which code reads and writes
// the values of a data set's current record.
//
// Stored value types (QVariant), one per field type; a null is an invalid QVariant:
//   String   -> QString        SmallInt, Integer -> int     Float -> double
//   Currency -> Currency       Boolean -> bool              DateTime -> QDateTime
//
// Conversions follow the usual data-set rules:
//  - a null reads as "" / 0 / 0.0 / false / an invalid QDateTime; an empty
//    text reads as 0 in number getters (it is what a null text looks like);
//  - a text that is not a number (or not a date, not a boolean) throws
//    DataSetError naming the field and the value;
//  - floats to integers round to nearest, halves to even (as the platform's
//    variant conversion did); float to currency rounds to four decimals;
//  - a SmallInt outside -32768..32767 throws;
//  - a string longer than the field's Size (in characters; 0 = no limit) is
//    cut to Size characters (a surrogate pair is never split);
//  - texts of values: integers in decimal, floats with up to 15 significant
//    digits ("0.1", "1234.5", "1E20"), currency as Currency::toString(),
//    booleans "True"/"False", date-times "yyyy-MM-dd hh:mm:ss" (the date alone
//    when the time is midnight);
//  - a text field read AsBoolean is true when it begins with T or Y (any
//    case), else false; a text stored into a boolean field must be one of
//    True/T/Yes/Y/1 or False/F/No/N/0 (any case; "" is null), else it throws;
//  - texts read as date-times: "yyyy-MM-dd",
//    "yyyy-MM-dd hh:mm[:ss[.zzz]]", ISO 8601 with 'T', "yyyyMMdd";
//  - a date-time read as a float is days since 1899-12-30 (with fraction).

#include "platform/dataset/Currency.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>

class DataSet;

enum class FieldType { String, SmallInt, Integer, Float, Currency, Boolean, DateTime };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // strings: maximum characters, 0 = no limit; ignored for other types
};

// Every error of the data set layer. what() is the UTF-8 message.
class DataSetError : public std::runtime_error {
public:
    explicit DataSetError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

class Field {
public:
    Field(const Field &) = delete;
    Field &operator=(const Field &) = delete;

    const QString &FieldName() const { return m_def.name; }
    FieldType DataType() const { return m_def.type; }
    int Size() const { return m_def.size; }
    const FieldDef &def() const { return m_def; }
    int Index() const { return m_index; }       // position among the data set's fields
    DataSet &dataSet() const { return *m_dataSet; }

    // Name shown as a grid title when the column has no caption (FieldName when empty).
    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? m_def.name : m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }

    // Number format for DisplayText of numeric fields, the platform's float
    // format: sections "positive;negative;zero", '0' digit, '#' optional digit,
    // '.' decimal point, ',' anywhere = thousands separators, other characters
    // and '...' / "..." literally (",0;-,0", "#,##0.##", "0.00"). Rounds halves
    // away from zero. For date-time fields: yyyy yy mm dd hh nn ss tokens
    // ("mm" right after hh is minutes), other characters literally.
    QString DisplayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format) { m_displayFormat = format; }

    // Display-text handler: when set, DisplayText() and Text() return what it
    // returns (displayText is true for DisplayText(), false for Text()). It may
    // read this and other fields of the record being shown.
    std::function<QString(const Field &field, bool displayText)> OnGetText;

    // Default grid alignment: right for numbers, left otherwise.
    Qt::Alignment Alignment() const;

    // Whether an editor may let the character be typed into this field:
    // digits and a sign for integers; digits, a sign, the decimal point and
    // an exponent mark (e, E) for floats and currency; anything for texts,
    // booleans and date-times.
    bool IsValidChar(QChar c) const;

    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    Currency AsCurrency() const;
    bool AsBoolean() const;
    QDateTime AsDateTime() const;
    QVariant AsVariant() const;       // the stored value (invalid when null)

    // Setters need the data set in Edit or Insert state (DataSetError otherwise).
    void setAsString(const QString &value);
    void setAsInteger(int value);
    void setAsFloat(double value);
    void setAsCurrency(Currency value);
    void setAsBoolean(bool value);
    void setAsDateTime(const QDateTime &value);
    void setAsVariant(const QVariant &value); // converted to the field's type; invalid = null
    void Clear();                             // set to null

    QString DisplayText() const;  // for grids and prints: OnGetText, DisplayFormat, AsString
    QString Text() const;         // edit text: OnGetText(false) or AsString

    // Converts any value to the stored form of a field of this definition
    // (the rules above); throws DataSetError naming fieldName.
    static QVariant convert(const QVariant &value, const FieldDef &def);
    // The text of a stored value (AsString rules).
    static QString textOf(const QVariant &stored, FieldType type);
    // FormatFloat-style formatting used by DisplayFormat.
    static QString formatNumber(double value, const QString &format);
    static QString formatDateTime(const QDateTime &value, const QString &format);

private:
    friend class DataSet;
    Field(DataSet *dataSet, FieldDef def, int index) : m_dataSet(dataSet), m_def(std::move(def)), m_index(index) {}
    [[noreturn]] void conversionError(const QString &value, const char *what) const;

    DataSet *m_dataSet;
    FieldDef m_def;
    int m_index;
    QString m_displayLabel;
    QString m_displayFormat;
};
