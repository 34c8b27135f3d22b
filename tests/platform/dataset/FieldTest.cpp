#include "platform/dataset/DataSet.h"

#include <gtest/gtest.h>

namespace {

// One record with a field of every type, open and in Edit.
class FieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.setObjectName(QStringLiteral("vtb_Test"));
        ds.AddField(QStringLiteral("S"), FieldType::String, 3);
        ds.AddField(QStringLiteral("SI"), FieldType::SmallInt);
        ds.AddField(QStringLiteral("I"), FieldType::Integer);
        ds.AddField(QStringLiteral("F"), FieldType::Float);
        ds.AddField(QStringLiteral("C"), FieldType::Currency);
        ds.AddField(QStringLiteral("B"), FieldType::Boolean);
        ds.AddField(QStringLiteral("D"), FieldType::DateTime);
        ds.Open();
        ds.Append();
    }
    Field &f(const char *name) { return ds.FieldByName(QString::fromLatin1(name)); }

    DataSet ds;
};

TEST_F(FieldTest, NullReadsAsEmptyZeroAndFalse)
{
    for (const char *name : {"S", "SI", "I", "F", "C", "B", "D"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(f(name).IsNull());
        EXPECT_EQ(f(name).AsString(), QString());
        EXPECT_EQ(f(name).DisplayText(), QString());
        EXPECT_FALSE(f(name).AsVariant().isValid());
    }
    for (const char *name : {"S", "SI", "I", "F", "C", "B"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(f(name).AsInteger(), 0);
        EXPECT_EQ(f(name).AsFloat(), 0.0);
        EXPECT_EQ(f(name).AsCurrency(), Currency());
        EXPECT_FALSE(f(name).AsBoolean());
    }
    EXPECT_FALSE(f("D").AsDateTime().isValid());
}

TEST_F(FieldTest, TextsConvertToNumbersAndBack)
{
    struct Case { const char *field; const char *in; const char *asString; int asInt; double asFloat; qint64 raw; };
    const Case cases[] = {
        {"SI", " 12 ", "12", 12, 12.0, 120000},
        {"I", "-7", "-7", -7, -7.0, -70000},
        {"F", "2.5", "2.5", 2, 2.5, 25000},       // float to integer: halves to even
        {"F", "3.5", "3.5", 4, 3.5, 35000},
        {"F", "1.23456", "1.23456", 1, 1.23456, 12346},
        {"F", "1e20", "1E20", 0, 1e20, 0},
        {"C", "1234.5", "1234.5", 1234, 1234.5, 12345000},
        {"C", "0.00005", "0.0001", 0, 0.0001, 1},
        {"S", "42", "42", 42, 42.0, 420000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.in);
        f(c.field).setAsString(QString::fromLatin1(c.in));
        EXPECT_EQ(f(c.field).AsString(), QString::fromLatin1(c.asString));
        EXPECT_DOUBLE_EQ(f(c.field).AsFloat(), c.asFloat);
        if (c.asFloat < 1e10) {
            EXPECT_EQ(f(c.field).AsInteger(), c.asInt);
            EXPECT_EQ(f(c.field).AsCurrency().raw(), c.raw);
        } else {
            EXPECT_THROW(f(c.field).AsInteger(), DataSetError);
        }
    }
}

TEST_F(FieldTest, ATextThatIsNoNumberThrowsNamingFieldAndValue)
{
    for (const char *name : {"SI", "I", "F", "C", "B", "D"}) {
        SCOPED_TRACE(name);
        f(name).Clear();
        try {
            f(name).setAsString(QStringLiteral("x9"));
            FAIL() << "no exception";
        } catch (const DataSetError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("'%1'").arg(QLatin1String(name)))) << e.what();
            EXPECT_TRUE(e.message().contains(QStringLiteral("'x9'"))) << e.what();
        }
        EXPECT_TRUE(f(name).IsNull()); // the old value stays
    }
    f("S").setAsString(QStringLiteral("1a"));
    EXPECT_THROW(f("S").AsInteger(), DataSetError);
    EXPECT_THROW(f("S").AsFloat(), DataSetError);
    EXPECT_THROW(f("S").AsCurrency(), DataSetError);
    f("S").setAsString(QStringLiteral("1,0"));
    EXPECT_THROW(f("S").AsFloat(), DataSetError);
}

TEST_F(FieldTest, RangesSizesAndRounding)
{
    f("S").setAsString(QStringLiteral("가나다라"));
    EXPECT_EQ(f("S").AsString(), QStringLiteral("가나다"));
    f("S").setAsString(QStringLiteral("ab😀"));  // never splits a surrogate pair
    EXPECT_EQ(f("S").AsString(), QStringLiteral("ab"));
    EXPECT_THROW(f("SI").setAsInteger(40000), DataSetError);
    f("SI").setAsInteger(-32768);
    EXPECT_EQ(f("SI").AsInteger(), -32768);
    EXPECT_THROW(f("I").setAsFloat(3e9), DataSetError);
    f("C").setAsFloat(2.00005);
    EXPECT_EQ(f("C").AsCurrency().raw(), 20001);
    f("I").setAsFloat(2.5);
    EXPECT_EQ(f("I").AsInteger(), 2);
    f("I").setAsCurrency(Currency::fromString(u"7.5"));
    EXPECT_EQ(f("I").AsInteger(), 8);
}

TEST_F(FieldTest, BooleansAndDateTimes)
{
    for (const char *t : {"True", "t", "Y", "yes", "1"}) {
        f("B").setAsString(QString::fromLatin1(t));
        EXPECT_TRUE(f("B").AsBoolean()) << t;
        EXPECT_EQ(f("B").AsString(), "True");
    }
    for (const char *t : {"False", "f", "N", "no", "0"}) {
        f("B").setAsString(QString::fromLatin1(t));
        EXPECT_FALSE(f("B").AsBoolean()) << t;
        EXPECT_EQ(f("B").AsString(), "False");
    }
    f("S").setAsString(QStringLiteral("Yes"));
    EXPECT_TRUE(f("S").AsBoolean());
    f("S").setAsString(QStringLiteral("abc"));
    EXPECT_FALSE(f("S").AsBoolean());

    f("D").setAsString(QStringLiteral("2000-01-01 12:00:00"));
    EXPECT_EQ(f("D").AsDateTime(), QDateTime(QDate(2000, 1, 1), QTime(12, 0)));
    EXPECT_EQ(f("D").AsString(), "2000-01-01 12:00:00");
    f("D").setAsString(QStringLiteral("20261210"));
    EXPECT_EQ(f("D").AsString(), "2026-12-10");
    EXPECT_DOUBLE_EQ(f("D").AsFloat(), 46366.0);   // days since 1899-12-30
    f("D").setAsFloat(36526.5);
    EXPECT_EQ(f("D").AsDateTime(), QDateTime(QDate(2000, 1, 1), QTime(12, 0)));
    EXPECT_THROW(f("D").AsInteger(), DataSetError);
    EXPECT_THROW(f("B").AsDateTime(), DataSetError);
}

TEST_F(FieldTest, SettersNeedEditOrInsert)
{
    f("I").setAsInteger(1);
    ds.Post();
    try {
        f("I").setAsInteger(2);
        FAIL() << "no exception";
    } catch (const DataSetError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("vtb_Test: Dataset not in edit or insert mode"));
    }
    EXPECT_EQ(f("I").AsInteger(), 1);
}

TEST(FieldFormat, DisplayFormatsAsThePlatformFormatsFloats)
{
    struct Case { const char *format; double value; const char *text; };
    const Case cases[] = {
        {",0;-,0", 1234567.4, "1,234,567"}, {",0;-,0", -1500, "-1,500"}, {",0;-,0", 0, "0"},
        {",0;-,0", 999.5, "1,000"}, {",0.0;-,0.0", 12, "12.0"}, {",0.0;-,0.0", -0.04, "-0.0"},
        {",0.000;-,0.000", 1234.5678, "1,234.568"}, {"#,##0.##", 1234.5, "1,234.5"},
        {"#,##0.##", 0, "0"}, {"#,##0.##", 1234.567, "1,234.57"}, {"0.00", 1.005, "1.01"},
        {"0.00", -2.5, "-2.50"}, {"#.##", 0.5, ".5"}, {"0", -0.4, "0"}, {"'₩'#,##0", 5000, "₩5,000"},
        {"0;(0);'zero'", -3, "(3)"}, {"0;(0);'zero'", 0, "zero"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Field::formatNumber(c.value, QString::fromUtf8(c.format)), QString::fromUtf8(c.text))
            << c.format << " " << c.value;
    EXPECT_EQ(Field::formatDateTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)), QStringLiteral("yyyy-mm-dd hh:nn:ss")),
              "2026-03-04 05:06:07");
    EXPECT_EQ(Field::formatDateTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)), QStringLiteral("yy/m/d hh:mm")),
              "26/3/4 05:06");
}

TEST(FieldInput, ValidCharactersFollowTheFieldType)
{
    DataSet ds;
    struct Case {
        FieldType type;
        const char *accepted;
        const char *refused;
    };
    const Case cases[] = {
        {FieldType::SmallInt, "0123456789+-", ".eE,a x"},
        {FieldType::Integer, "0123456789+-", ".eE,a x"},
        {FieldType::Float, "0123456789+-.eE", ",a x/"},
        {FieldType::Currency, "0123456789+-.eE", ",a x/"},
        {FieldType::String, "0aZ .,-가", ""},
        {FieldType::Boolean, "TtYyFfNn01", ""},
        {FieldType::DateTime, "0123456789-: ", ""},
    };
    for (const Case &c : cases) {
        Field &f = ds.AddField(QStringLiteral("F%1").arg(ds.FieldCount()), c.type);
        for (QChar ch : QString::fromUtf8(c.accepted))
            EXPECT_TRUE(f.IsValidChar(ch)) << int(c.type) << " '" << QString(ch).toStdString() << "'";
        for (QChar ch : QString::fromUtf8(c.refused))
            EXPECT_FALSE(f.IsValidChar(ch)) << int(c.type) << " '" << QString(ch).toStdString() << "'";
    }
}

TEST(FieldDisplay, FormatAndHandlerDecideTheDisplayText)
{
    DataSet ds;
    ds.AddField(QStringLiteral("AMT"), FieldType::Currency).setDisplayFormat(QStringLiteral("#,##0.##"));
    ds.AddField(QStringLiteral("KIND"), FieldType::String, 1).OnGetText = [](const Field &f, bool display) {
        const QString code = f.AsString();
        if (!display)
            return code;
        return code == u"1" ? QStringLiteral("제품") : code == u"5" ? QStringLiteral("재료") : code;
    };
    ds.Open();
    for (auto [amt, kind] : {std::pair{"1234.5", "1"}, std::pair{"20", "5"}, std::pair{"-3.333", "9"}}) {
        ds.Append();
        ds.FieldByName(QStringLiteral("amt")).setAsString(QString::fromLatin1(amt));
        ds.FieldByName(QStringLiteral("kind")).setAsString(QString::fromLatin1(kind));
        ds.Post();
    }
    ds.First();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AMT")).DisplayText(), "1,234.5");
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AMT")).AsString(), "1234.5");
    // Rows other than the current one, as a grid reads them.
    EXPECT_EQ(ds.displayText(1, 0), "20");
    EXPECT_EQ(ds.displayText(1, 1), "재료");
    EXPECT_EQ(ds.text(1, 1), "5");
    EXPECT_EQ(ds.displayText(2, 0), "-3.33");
    EXPECT_EQ(ds.displayText(2, 1), "9");
    EXPECT_EQ(ds.FieldByName(QStringLiteral("KIND")).DisplayText(), "제품"); // current record unchanged
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AMT")).Alignment() & Qt::AlignRight, Qt::AlignRight);
}

} // namespace
