#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A work table of lines: CODE, NAME, QTY, AMT.
class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.setObjectName(QStringLiteral("vtb_STOCK"));
        ds.AddField(QStringLiteral("CODE"), FieldType::String, 6);
        ds.AddField(QStringLiteral("NAME"), FieldType::String, 20);
        ds.AddField(QStringLiteral("QTY"), FieldType::Float);
        ds.AddField(QStringLiteral("AMT"), FieldType::Currency);
    }
    void add(const char *code, const char *name, double qty)
    {
        ds.Append();
        ds.FieldByName(QStringLiteral("CODE")).setAsString(QString::fromUtf8(code));
        ds.FieldByName(QStringLiteral("NAME")).setAsString(QString::fromUtf8(name));
        ds.FieldByName(QStringLiteral("QTY")).setAsFloat(qty);
        ds.Post();
    }
    void fill()
    {
        ds.Open();
        add("A1", "사과", 1);
        add("B2", "배", 2);
        add("C3", "감", 3);
        add("D4", "귤", 4);
    }
    QString code() { return ds.FieldByName(QStringLiteral("CODE")).AsString(); }
    QStringList codes()
    {
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r)
            out << ds.value(r, 0).toString();
        return out;
    }

    DataSet ds;
};

TEST_F(DataSetTest, ClosedAndOpenEmptyAreDifferentStates)
{
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.State(), DataSetState::Inactive);
    EXPECT_THROW(ds.First(), DataSetError);
    EXPECT_THROW(ds.Append(), DataSetError);
    try {
        ds.Next();
    } catch (const DataSetError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("vtb_STOCK: Cannot perform this operation on a closed dataset"));
    }
    ds.Open();
    EXPECT_TRUE(ds.Active());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Bof());
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_EQ(ds.MoveBy(5), 0);
    EXPECT_EQ(code(), QString());
    EXPECT_THROW(ds.Delete(), DataSetError);
}

TEST_F(DataSetTest, CursorWalksAndClampsInTheView)
{
    fill();
    EXPECT_EQ(ds.RecordCount(), 4);
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    QStringList walked;
    while (!ds.Eof()) {
        walked << code();
        ds.Next();
    }
    EXPECT_EQ(walked, QStringList({"A1", "B2", "C3", "D4"}));
    EXPECT_EQ(ds.RecNo(), 4);
    ds.Prior();
    EXPECT_EQ(code(), "C3");
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.MoveBy(-27), -2);
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.MoveBy(27), 3);
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(code(), "D4");
    EXPECT_EQ(ds.MoveBy(-1), -1);
    EXPECT_FALSE(ds.Eof());
    EXPECT_FALSE(ds.Bof());
    ds.setRecNo(2);
    EXPECT_EQ(code(), "B2");
    ds.Last();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(code(), "D4");
}

TEST_F(DataSetTest, FieldByNameIgnoresCaseAndThrowsOnUnknownNames)
{
    EXPECT_EQ(&ds.FieldByName(QStringLiteral("code")), &ds.FieldByName(QStringLiteral("CODE")));
    EXPECT_EQ(ds.FindField(QStringLiteral("Qty")), &ds.Fields(2));
    EXPECT_EQ(ds.FindField(QStringLiteral("NOPE")), nullptr);
    try {
        ds.FieldByName(QStringLiteral("NOPE"));
        FAIL();
    } catch (const DataSetError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("vtb_STOCK: Field 'NOPE' not found"));
    }
    EXPECT_THROW(ds.AddField(QStringLiteral("code"), FieldType::String), DataSetError);
}

TEST_F(DataSetTest, EditPostCancelInsertDelete)
{
    fill();
    ds.setRecNo(2);
    ds.Edit();
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    ds.FieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("배추"));
    EXPECT_EQ(ds.value(1, 1).toString(), "배추");   // views show the edit buffer
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), "배");

    ds.Edit();
    ds.FieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("배추"));
    ds.Post();
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NAME")).AsString(), "배추");

    // Insert goes before the current record; RecordCount leaves the pending record out.
    ds.Insert();
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_EQ(ds.RecNo(), 2);
    ds.FieldByName(QStringLiteral("CODE")).setAsString(QStringLiteral("X9"));
    ds.Post();
    EXPECT_EQ(codes(), QStringList({"A1", "X9", "B2", "C3", "D4"}));

    // A cancelled append leaves the cursor where it was.
    ds.setRecNo(3);
    ds.Append();
    EXPECT_EQ(ds.rowCount(), 6);
    ds.Cancel();
    EXPECT_EQ(ds.rowCount(), 5);
    EXPECT_EQ(code(), "B2");

    // Delete moves to the record that took its place, or the new last one.
    ds.Delete();
    EXPECT_EQ(code(), "C3");
    ds.Last();
    ds.Delete();
    EXPECT_EQ(code(), "C3");
    EXPECT_EQ(codes(), QStringList({"A1", "X9", "C3"}));
}

TEST_F(DataSetTest, EditOnAnEmptyDataSetAppends)
{
    ds.Open();
    ds.Edit();
    EXPECT_EQ(ds.State(), DataSetState::Insert);
    ds.FieldByName(QStringLiteral("CODE")).setAsString(QStringLiteral("Z"));
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(DataSetTest, MovingPostsAModifiedRecordAndDropsAnUntouchedAppend)
{
    fill();
    ds.First();
    ds.Edit();
    ds.FieldByName(QStringLiteral("QTY")).setAsFloat(10);
    ds.Next();  // posts
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(ds.value(0, 2).toDouble(), 10.0);

    ds.Append();
    ds.First();  // nothing typed: the empty record is dropped
    EXPECT_EQ(ds.RecordCount(), 4);

    // An open editor commits its text when asked, before the move.
    QObject editor;
    QObject::connect(&ds, &DataSet::updateRecord, &editor, [this] {
        if (ds.State() == DataSetState::Edit && ds.FieldByName(QStringLiteral("NAME")).AsString() == u"사과")
            ds.FieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("풋사과"));
    });
    ds.Edit();
    ds.Next();
    EXPECT_EQ(ds.value(0, 1).toString(), "풋사과");
}

TEST_F(DataSetTest, HooksRunAroundPostAndScroll)
{
    int scrolls = 0, opens = 0, afterPosts = 0;
    ds.AfterOpen = [&](DataSet &) { ++opens; };
    ds.AfterScroll = [&](DataSet &) { ++scrolls; };
    ds.BeforePost = [](DataSet &d) {
        if (d.FieldByName(QStringLiteral("QTY")).AsFloat() < 0)
            throw DataSetError(QStringLiteral("negative quantity"));
        d.FieldByName(QStringLiteral("AMT")).setAsCurrency(
            Currency::fromDouble(d.FieldByName(QStringLiteral("QTY")).AsFloat() * 1500));
    };
    ds.AfterPost = [&](DataSet &) { ++afterPosts; };
    fill();
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(afterPosts, 4);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AMT")).AsCurrency(), Currency(6000));

    scrolls = 0;
    ds.First();
    ds.Next();
    ds.MoveBy(0);
    ds.Prior();
    ds.Prior();  // already first: no move
    EXPECT_EQ(scrolls, 3);

    ds.Edit();
    ds.FieldByName(QStringLiteral("QTY")).setAsFloat(-1);
    EXPECT_THROW(ds.Post(), DataSetError);
    EXPECT_EQ(ds.State(), DataSetState::Edit);  // still editing, nothing lost
    EXPECT_EQ(ds.FieldByName(QStringLiteral("QTY")).AsFloat(), -1.0);
    ds.Cancel();
    EXPECT_EQ(afterPosts, 4);
}

TEST_F(DataSetTest, BookmarksSurviveFilteringScrollingAndOtherDeletes)
{
    fill();
    ds.setRecNo(3);
    const Bookmark c3 = ds.GetBookmark();
    ds.First();
    ds.Delete();                       // A1 goes
    ds.Insert();                       // a record before B2
    ds.FieldByName(QStringLiteral("CODE")).setAsString(QStringLiteral("N0"));
    ds.Post();
    ds.GotoBookmark(c3);
    EXPECT_EQ(code(), "C3");

    ds.setFilter(QStringLiteral("QTY <> 3"));
    ds.setFiltered(true);
    EXPECT_FALSE(ds.BookmarkValid(c3));
    EXPECT_THROW(ds.GotoBookmark(c3), DataSetError);
    ds.setFiltered(false);
    EXPECT_TRUE(ds.BookmarkValid(c3));
    ds.GotoBookmark(c3);
    EXPECT_EQ(code(), "C3");
    EXPECT_EQ(ds.RecNo(), 3);

    ds.Last();
    const Bookmark d4 = ds.GetBookmark();
    EXPECT_LT(ds.CompareBookmarks(c3, d4), 0);
    EXPECT_GT(ds.CompareBookmarks(d4, c3), 0);
    ds.GotoBookmark(c3);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(c3));
    EXPECT_TRUE(ds.BookmarkValid(d4));
    EXPECT_FALSE(ds.BookmarkValid(Bookmark()));
}

TEST_F(DataSetTest, LocateMatchesExactlyInTheFilteredView)
{
    fill();
    EXPECT_TRUE(ds.Locate(QStringLiteral("code"), QStringLiteral("C3")));
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_FALSE(ds.Locate(QStringLiteral("CODE"), QStringLiteral("c3")));  // exact, case too
    EXPECT_EQ(ds.RecNo(), 3);                                                // cursor stays
    EXPECT_TRUE(ds.Locate(QStringLiteral("CODE;QTY"), QVariantList{QStringLiteral("B2"), 2}));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_FALSE(ds.Locate(QStringLiteral("CODE;QTY"), QVariantList{QStringLiteral("B2"), 3}));
    add("ABCDEF", "긴 코드", 5);                                              // CODE holds 6 characters
    ds.First();
    EXPECT_FALSE(ds.Locate(QStringLiteral("CODE"), QStringLiteral("ABCDEFG"))); // a longer key is not cut
    EXPECT_EQ(ds.RecNo(), 1);
    ds.Last();
    ds.Delete();
    EXPECT_TRUE(ds.Locate(QStringLiteral("QTY"), QStringLiteral("4")));     // converted to the field type
    EXPECT_EQ(code(), "D4");
    EXPECT_THROW(ds.Locate(QStringLiteral("QTY"), QStringLiteral("four")), DataSetError);
    EXPECT_THROW(ds.Locate(QStringLiteral("CODE;QTY"), QStringLiteral("B2")), DataSetError);

    ds.setFilter(QStringLiteral("QTY >= 2"));
    ds.setFiltered(true);
    EXPECT_FALSE(ds.Locate(QStringLiteral("CODE"), QStringLiteral("A1")));
    EXPECT_TRUE(ds.Locate(QStringLiteral("CODE"), QStringLiteral("C3")));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.RecordCount(), 3);

    // A null text matches ''.
    ds.setFiltered(false);
    ds.Append();
    ds.FieldByName(QStringLiteral("QTY")).setAsFloat(9);
    ds.Post();
    ds.First();
    EXPECT_TRUE(ds.Locate(QStringLiteral("CODE"), QString()));
    EXPECT_EQ(ds.RecNo(), 5);
}

TEST_F(DataSetTest, APostedRecordThatNoLongerPassesTheFilterLeavesTheView)
{
    fill();
    ds.setFilter(QStringLiteral("QTY < 3"));
    ds.setFiltered(true);
    ds.First();
    ds.Edit();
    ds.FieldByName(QStringLiteral("QTY")).setAsFloat(7);
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(code(), "B2");
    // An appended record stays visible until posted, then follows the filter.
    ds.Append();
    ds.FieldByName(QStringLiteral("QTY")).setAsFloat(8);
    EXPECT_EQ(ds.rowCount(), 2);
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 1);
    ds.setFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 5);
}

TEST_F(DataSetTest, CloseKeepsRowsEmptyTableDropsAll)
{
    fill();
    ds.setFilter(QStringLiteral("QTY > 2"));
    ds.setFiltered(true);
    ds.Close();
    EXPECT_EQ(ds.RecordCount(), 0);
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.EmptyTable();
    ds.setFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_TRUE(ds.Eof());
}

TEST_F(DataSetTest, LoadRowsMatchesColumnsByNameAndConverts)
{
    ds.Open();
    QList<QList<QVariant>> rows{
        {QStringLiteral("2.5"), QStringLiteral("K1"), 7, QStringLiteral("ignored")},
        {1.23456, QStringLiteral("K2"), QVariant(), QStringLiteral("x")},
        {3},
    };
    ds.LoadRows({{QStringLiteral("qty"), FieldType::String}, {QStringLiteral("code"), FieldType::String},
                 {QStringLiteral("AMT"), FieldType::Integer}, {QStringLiteral("EXTRA"), FieldType::String}},
                std::move(rows));
    EXPECT_EQ(ds.FieldCount(), 4);  // defined fields win
    EXPECT_EQ(codes(), QStringList({"K1", "K2", ""}));
    EXPECT_EQ(ds.value(0, 2).toDouble(), 2.5);
    EXPECT_EQ(ds.value(0, 3).value<Currency>(), Currency(7));
    EXPECT_EQ(ds.value(1, 2).toDouble(), 1.23456);
    EXPECT_FALSE(ds.value(1, 3).isValid());
    EXPECT_EQ(ds.RecNo(), 1);

    // A value that does not convert leaves the data set as it was.
    QList<QList<QVariant>> bad{{QStringLiteral("x"), QStringLiteral("K9")}};
    EXPECT_THROW(ds.LoadRows({{QStringLiteral("QTY"), FieldType::String}, {QStringLiteral("CODE"), FieldType::String}},
                             std::move(bad)),
                 DataSetError);
    EXPECT_EQ(ds.RecordCount(), 3);

    // Without defined fields the columns become the fields; a reload keeps
    // the Field objects of names that stay.
    DataSet cds;
    cds.LoadRows({{QStringLiteral("A"), FieldType::Integer}, {QStringLiteral("B"), FieldType::String, 2}},
                 {{1, QStringLiteral("abc")}});
    cds.Open();
    Field *a = &cds.FieldByName(QStringLiteral("a"));
    EXPECT_EQ(cds.FieldByName(QStringLiteral("B")).AsString(), "ab");
    cds.LoadRows({{QStringLiteral("C"), FieldType::Float}, {QStringLiteral("A"), FieldType::Integer}}, {{0.5, 2}, {1.5, 3}});
    EXPECT_EQ(cds.FieldCount(), 2);
    EXPECT_EQ(cds.FindField(QStringLiteral("B")), nullptr);
    EXPECT_EQ(&cds.FieldByName(QStringLiteral("A")), a);
    EXPECT_EQ(a->AsInteger(), 2);
    EXPECT_EQ(cds.RecordCount(), 2);
}

TEST_F(DataSetTest, CopyFieldsByNameConverts)
{
    fill();
    DataSet target;
    target.AddField(QStringLiteral("code"), FieldType::String, 1);
    target.AddField(QStringLiteral("QTY"), FieldType::Integer);
    target.AddField(QStringLiteral("AMT"), FieldType::Currency);
    target.AddField(QStringLiteral("OTHER"), FieldType::String);
    target.Open();
    ds.setRecNo(2);
    target.Append();
    EXPECT_EQ(target.CopyFieldsByName(ds), 3);
    target.Post();
    EXPECT_EQ(target.FieldByName(QStringLiteral("CODE")).AsString(), "B");
    EXPECT_EQ(target.FieldByName(QStringLiteral("QTY")).AsInteger(), 2);
    EXPECT_TRUE(target.FieldByName(QStringLiteral("AMT")).IsNull());
    EXPECT_THROW(target.CopyFieldsByName(ds), DataSetError);  // not editing
}

TEST_F(DataSetTest, DisabledControlsBatchViewSignalsIntoOneChange)
{
    fill();
    QSignalSpy changed(&ds, &DataSet::dataSetChanged);
    QSignalSpy inserted(&ds, &DataSet::rowInserted);
    QSignalSpy current(&ds, &DataSet::currentChanged);
    int scrolls = 0;
    ds.AfterScroll = [&](DataSet &) { ++scrolls; };
    ds.DisableControls();
    ds.DisableControls();
    for (int i = 0; i < 5; ++i)
        add("E", "e", i);
    ds.First();
    ds.EnableControls();
    EXPECT_EQ(changed.count(), 0);
    ds.EnableControls();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(current.count(), 1);
    EXPECT_GT(scrolls, 0);  // hooks are not suppressed
    ds.EnableControls();    // unbalanced: ignored
    EXPECT_EQ(changed.count(), 1);
}

// A fill that fails half-way through a row: the half-written row is
// dropped, the posted ones stay, and the views hear of the table once more.
TEST_F(DataSetTest, ControlsOffDropsAHalfWrittenRowAndEnablesTheControlsWhenAFillFails)
{
    fill();
    QSignalSpy changed(&ds, &DataSet::dataSetChanged);
    try {
        const ControlsOff quiet(ds);
        ds.EmptyTable();
        add("E5", "배추", 5);
        ds.Append();
        ds.FieldByName(QStringLiteral("CODE")).setAsString(QStringLiteral("F6"));
        ds.FieldByName(QStringLiteral("QTY")).setAsString(QStringLiteral("여섯")); // no number: throws
        ds.Post();
        FAIL() << "the text should not have been taken as a quantity";
    } catch (const DataSetError &) {
    }
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(codes(), QStringList{QStringLiteral("E5")});
    EXPECT_EQ(changed.count(), 1);

    {
        const ControlsOff quiet(ds); // a fill that goes through: its rows stay
        add("G7", "무", 7);
    }
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(codes(), (QStringList{QStringLiteral("E5"), QStringLiteral("G7")}));
}

TEST_F(DataSetTest, RowScopeReadsOneRowWithoutMovingTheCursor)
{
    fill();
    ds.setRecNo(2);
    ds.Edit();
    ds.FieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("배추")); // not posted
    int hooks = 0;
    ds.AfterScroll = [&](DataSet &) { ++hooks; };
    ds.BeforePost = [&](DataSet &) { ++hooks; };
    QSignalSpy moved(&ds, &DataSet::currentChanged);
    QSignalSpy changed(&ds, &DataSet::rowChanged);
    QSignalSpy states(&ds, &DataSet::stateChanged);
    QSignalSpy resets(&ds, &DataSet::dataSetChanged);
    QSignalSpy updates(&ds, &DataSet::updateRecord);
    const auto seen = [this] {
        return QStringLiteral("%1 %2 %3").arg(ds.RecNo()).arg(code(), ds.FieldByName(QStringLiteral("NAME")).AsString());
    };

    {
        const DataSet::RowScope outer(ds, 2);
        EXPECT_EQ(seen(), "3 C3 감");
        EXPECT_EQ(ds.FieldByName(QStringLiteral("QTY")).AsFloat(), 3.0);
        {
            const DataSet::RowScope inner(ds, 0);
            EXPECT_EQ(seen(), "1 A1 사과");
            const DataSet::RowScope edited(ds, 1); // the current record shows its edit buffer
            EXPECT_EQ(seen(), "2 B2 배추");
        }
        EXPECT_EQ(seen(), "3 C3 감");
        const DataSet::RowScope outside(ds, 4);
        EXPECT_TRUE(ds.FieldByName(QStringLiteral("CODE")).IsNull());
        EXPECT_EQ(ds.RecNo(), 0);
    }
    try {
        const DataSet::RowScope scope(ds, 3);
        EXPECT_EQ(seen(), "4 D4 귤");
        throw DataSetError(QStringLiteral("handler failed"));
    } catch (const DataSetError &) {
    }

    // Back on the current record, still being edited; nothing was told.
    EXPECT_EQ(seen(), "2 B2 배추");
    EXPECT_EQ(ds.currentRow(), 1);
    EXPECT_FALSE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    EXPECT_TRUE(ds.Modified());
    EXPECT_EQ(ds.value(1, 1).toString(), "배추");
    EXPECT_EQ(ds.value(2, 1).toString(), "감");
    EXPECT_EQ(hooks, 0);
    EXPECT_EQ(moved.count() + changed.count() + states.count() + resets.count() + updates.count(), 0);
    ds.Post();
    EXPECT_EQ(codes(), (QStringList{"A1", "B2", "C3", "D4"}));
}

TEST_F(DataSetTest, DeletingWhileWalkingVisitsEveryRecordOnce)
{
    fill();
    add("E5", "감", 5);
    add("F6", "감", 6);
    QStringList seen;
    ds.First();
    while (!ds.Eof()) {
        seen << code();
        if (ds.FieldByName(QStringLiteral("NAME")).AsString() == u"감" || code() == u"A1")
            ds.Delete();
        else
            ds.Next();
    }
    EXPECT_EQ(seen, QStringList({"A1", "B2", "C3", "D4", "E5", "F6"}));
    EXPECT_EQ(codes(), QStringList({"B2", "D4"}));
}

// The pattern of a client data set: rows fetched on Open, dropped on Close.
class FetchingDataSet : public DataSet {
public:
    bool failNext = false;
    int fetches = 0;

protected:
    void InternalOpen() override
    {
        if (failNext)
            throw DataSetError(QStringLiteral("server error"));
        ++fetches;
        LoadRows({{QStringLiteral("N"), FieldType::Integer}}, {{fetches}, {fetches * 10}});
    }
    void InternalClose() override
    {
        EmptyTable();
        ClearFields();
    }
};

TEST(DerivedDataSet, FetchesOnOpenAndDropsOnClose)
{
    FetchingDataSet cds;
    QSignalSpy opened(&cds, &DataSet::opened);
    int afterScroll = 0;
    cds.AfterScroll = [&](DataSet &) { ++afterScroll; };
    cds.Open();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(afterScroll, 1);
    EXPECT_EQ(cds.RecordCount(), 2);
    EXPECT_EQ(cds.FieldByName(QStringLiteral("n")).AsInteger(), 1);
    cds.Close();
    EXPECT_EQ(cds.FieldCount(), 0);
    EXPECT_THROW(cds.FieldByName(QStringLiteral("N")), DataSetError);
    cds.failNext = true;
    EXPECT_THROW(cds.Open(), DataSetError);
    EXPECT_FALSE(cds.Active());
    cds.failNext = false;
    cds.Open();
    EXPECT_EQ(cds.FieldByName(QStringLiteral("N")).AsInteger(), 2);
}

} // namespace
