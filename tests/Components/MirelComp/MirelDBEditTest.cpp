#include "MirelTestSupport.h"

#include "Components/MirelComp/MirelDBEdit.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A data set of two items, open on the first.
struct Items {
    DataSet ds;
    Items()
    {
        ds.AddField("NAME", FieldType::String, 20);
        ds.AddField("QTY", FieldType::Integer);
        ds.Open();
        for (auto [name, qty] : {std::pair{"두부", 1234}, std::pair{"김치", 7}}) {
            ds.Append();
            ds.FieldByName("NAME").setAsString(QString::fromUtf8(name));
            ds.FieldByName("QTY").setAsInteger(qty);
            ds.Post();
        }
        ds.First();
    }
};

void focus(QWidget *w, bool in)
{
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

TEST(MirelDBEdit, UnboundEditKeepsTheTextSetByCode)
{
    TMirelDBEdit edit;
    edit.setText("12,500");
    QTest::keyClicks(&edit, "99");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12,500");
    edit.setEnabled(false);
    edit.setText(QString::fromUtf8("합계 3"));
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), QString::fromUtf8("합계 3"));
}

TEST(MirelDBEdit, ShowsTheCurrentRecordAndFollowsTheCursor)
{
    Items items;
    TMirelDBEdit edit;
    edit.setDataSource(&items.ds);
    edit.setDataField("name");
    EXPECT_EQ(edit.text(), QString::fromUtf8("두부"));
    EXPECT_EQ(edit.maxLength(), 20); // a string field's size
    items.ds.Next();
    EXPECT_EQ(edit.text(), QString::fromUtf8("김치"));
    EXPECT_TRUE(edit.isReadOnly()); // writable only while editing
    EXPECT_THROW(edit.setDataField("NOPE"), DataSetError);
}

TEST(MirelDBEdit, TypingEditsTheRecordAndPostWritesTheText)
{
    Items items;
    TMirelDBEdit edit;
    edit.setDataSource(&items.ds);
    edit.setDataField("NAME");
    focus(&edit, true);
    edit.selectAll();
    QTest::keyClicks(&edit, "AB");
    EXPECT_EQ(items.ds.State(), DataSetState::Edit);
    EXPECT_EQ(edit.text(), "AB");
    items.ds.Post();
    EXPECT_EQ(items.ds.FieldByName("NAME").AsString(), "AB");

    // Escape shows the field again; nothing is written.
    edit.selectAll();
    QTest::keyClicks(&edit, "CD");
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(edit.text(), "AB");
    items.ds.Post();
    EXPECT_EQ(items.ds.FieldByName("NAME").AsString(), "AB");

    // Leaving the box writes a modified text.
    edit.selectAll();
    QTest::keyClicks(&edit, "EF");
    focus(&edit, false);
    EXPECT_EQ(items.ds.FieldByName("NAME").AsString(), "EF");
}

TEST(MirelDBEdit, NumericFieldDropsLettersAndAlignsRightWithoutFocus)
{
    Items items;
    items.ds.FieldByName("QTY").setDisplayFormat(",0");
    TMirelDBEdit edit;
    edit.setDataSource(&items.ds);
    edit.setDataField("QTY");
    EXPECT_EQ(edit.text(), "1,234");
    EXPECT_TRUE(edit.alignment() & Qt::AlignRight);

    focus(&edit, true);
    EXPECT_EQ(edit.text(), "1234"); // the edit text, no format literals
    EXPECT_TRUE(edit.alignment() & Qt::AlignLeft);
    edit.setCursorPosition(4);
    QTest::keyClicks(&edit, "a5");
    EXPECT_EQ(edit.text(), "12345");
    focus(&edit, false);
    EXPECT_EQ(items.ds.FieldByName("QTY").AsInteger(), 12345);
    EXPECT_EQ(edit.text(), "12,345");
    EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
}

TEST(MirelDBEdit, ReadOnlyLinkNeverEdits)
{
    Items items;
    TMirelDBEdit edit;
    edit.setDataSource(&items.ds);
    edit.setDataField("NAME");
    edit.setReadOnly_(true);
    focus(&edit, true);
    QTest::keyClicks(&edit, "Z");
    EXPECT_EQ(items.ds.State(), DataSetState::Browse);
    EXPECT_EQ(edit.text(), QString::fromUtf8("두부"));
}

TEST(MirelDBEdit, FreedDataSetUnbinds)
{
    TMirelDBEdit edit;
    {
        Items items;
        edit.setDataSource(&items.ds);
        edit.setDataField("NAME");
        ASSERT_NE(edit.field(), nullptr);
    }
    EXPECT_EQ(edit.field(), nullptr);
    EXPECT_EQ(edit.DataSource(), nullptr);
}
