#include "platform/dataset/DataSetModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSize>
#include <gtest/gtest.h>

namespace {

// Collects what QAbstractItemModelTester reports, so a broken model contract
// fails the test instead of scrolling past as a warning.
QStringList g_modelWarnings;
QtMessageHandler g_previousHandler = nullptr;

void recordModelWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArray(context.category) == "qt.modeltest")
        g_modelWarnings << message;
    else if (g_previousHandler)
        g_previousHandler(type, context, message);
}

class ModelWarnings {
public:
    ModelWarnings() { g_modelWarnings.clear(); g_previousHandler = qInstallMessageHandler(recordModelWarnings); }
    ~ModelWarnings() { qInstallMessageHandler(g_previousHandler); }
};

class DataSetModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.AddField(QStringLiteral("ADSEQ"), FieldType::Integer);
        ds.AddField(QStringLiteral("IMNAME"), FieldType::String, 50).setDisplayLabel(QStringLiteral("품명"));
        ds.AddField(QStringLiteral("ADAMT"), FieldType::Currency).setDisplayFormat(QStringLiteral(",0;-,0"));
        model.setDataSet(&ds);
        model.setColumns({
            {QStringLiteral("ADSEQ"), QStringLiteral("No"), 39, Qt::AlignCenter, true, true},
            {QStringLiteral("IMNAME"), QString(), 323, {}, false, true},
            {QStringLiteral("ADAMT"), QStringLiteral("합계"), 80, {}, false, false},
        });
        tester = std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override { EXPECT_TRUE(g_modelWarnings.isEmpty()) << g_modelWarnings.join(u'\n').toStdString(); }
    void add(int seq, const char *name, int amount)
    {
        ds.Append();
        ds.FieldByName(QStringLiteral("ADSEQ")).setAsInteger(seq);
        ds.FieldByName(QStringLiteral("IMNAME")).setAsString(QString::fromUtf8(name));
        ds.FieldByName(QStringLiteral("ADAMT")).setAsCurrency(Currency(amount));
        ds.Post();
    }
    QString cell(int row, int col) { return model.data(model.index(row, col)).toString(); }

    ModelWarnings warnings;
    DataSet ds;
    DataSetModel model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(DataSetModelTest, ColumnsGiveTitlesWidthsAlignmentAndEditability)
{
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.rowCount(), 0);  // closed
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "No");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "품명");  // the field's label
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::SizeHintRole).toSize().width(), 323);
    EXPECT_FALSE(model.isColumnVisible(2));
    ds.Open();
    add(1, "사과", 1234567);
    EXPECT_EQ(cell(0, 2), "1,234,567");
    EXPECT_EQ(model.data(model.index(0, 2), DataSetModel::ValueRole).value<Currency>(), Currency(1234567));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    model.setColumnVisible(2, true);
    EXPECT_TRUE(model.isColumnVisible(2));
}

TEST_F(DataSetModelTest, FollowsTheDataSet)
{
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy current(&model, &DataSetModel::currentRowChanged);

    ds.Open();
    EXPECT_EQ(resets.count(), 1);
    add(1, "사과", 100);
    add(2, "배", 200);
    add(3, "감", 300);
    EXPECT_EQ(inserted.count(), 3);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(1, 1), "배");
    EXPECT_EQ(model.currentRow(), 2);

    ds.setRecNo(2);
    EXPECT_EQ(current.last().at(0).toInt(), 1);
    changed.clear();
    ds.Edit();
    ds.FieldByName(QStringLiteral("IMNAME")).setAsString(QStringLiteral("배추"));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(changed.last().at(0).value<QModelIndex>().row(), 1);
    EXPECT_EQ(cell(1, 1), "배추");
    ds.Post();

    ds.Delete();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(cell(1, 1), "감");

    resets.clear();
    ds.setFilter(QStringLiteral("ADAMT > 150"));
    ds.setFiltered(true);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 1);

    // A frozen batch arrives as one reset.
    resets.clear();
    inserted.clear();
    ds.DisableControls();
    ds.EmptyTable();
    for (int i = 0; i < 20; ++i)
        add(i + 1, "x", 1000);
    ds.EnableControls();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(model.rowCount(), 20);

    ds.Close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.currentRow(), -1);
}

TEST_F(DataSetModelTest, SetDataEditsTheTouchedRowAndMovingPostsIt)
{
    ds.Open();
    add(1, "사과", 100);
    add(2, "배", 200);
    model.setCurrentRow(0);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(model.setData(model.index(1, 1), QStringLiteral("참외")));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    EXPECT_FALSE(model.setData(model.index(1, 0), QStringLiteral("9")));  // read-only column
    model.setCurrentRow(0);
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(ds.value(1, 1).toString(), "참외");
}

TEST_F(DataSetModelTest, DisplayHandlersReadTheRowTheyShow)
{
    ds.Open();
    add(1, "사과", 100);
    add(2, "배", 200);
    add(3, "감", 300);
    ds.setRecNo(2);
    // Line number, name and amount of the record the text is asked for.
    ds.FieldByName(QStringLiteral("ADSEQ")).OnGetText = [this](const Field &f, bool display) {
        if (f.AsInteger() == 3 && display)
            throw DataSetError(QStringLiteral("no text"));
        return QStringLiteral("%1 %2 %3")
            .arg(ds.RecNo())
            .arg(ds.FieldByName(QStringLiteral("IMNAME")).AsString(), ds.FieldByName(QStringLiteral("ADAMT")).AsString());
    };
    QSignalSpy current(&model, &DataSetModel::currentRowChanged);
    EXPECT_EQ(cell(0, 0), "1 사과 100");
    EXPECT_EQ(cell(1, 0), "2 배 200");
    EXPECT_EQ(model.data(model.index(2, 0), Qt::EditRole).toString(), "3 감 300");
    EXPECT_THROW(cell(2, 0), DataSetError);
    // The cursor never moved and reads its own record again.
    EXPECT_EQ(current.count(), 0);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("IMNAME")).AsString(), "배");
    EXPECT_EQ(ds.State(), DataSetState::Browse);
}

TEST(DataSetModelDefault, WithoutColumnsShowsEveryField)
{
    DataSet ds;
    ds.LoadRows({{QStringLiteral("A"), FieldType::Integer}, {QStringLiteral("B"), FieldType::String}},
                {{1, QStringLiteral("x")}, {2, QStringLiteral("y")}});
    ModelWarnings warnings;
    DataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.rowCount(), 0);
    ds.Open();
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "y");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "A");
    EXPECT_TRUE(g_modelWarnings.isEmpty()) << g_modelWarnings.join(u'\n').toStdString();
}

} // namespace
