// The re-booking of set items in the raw-material ledger's work table, on
// hand-made material rows, component use and component lists, without a
// server.

#include "inquiries/MaterialLedger.h"

#include "platform/dataset/DataSet.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

// A material row as the server sends it: figures as quantity / amount pairs.
struct Material {
    const char *itnb, *imname, *unit, *kpcd;
    double casawt, imbhup;
    double current, in, out, loss, stock;
};

std::unique_ptr<DataSet> materialRows(const std::vector<Material> &rows)
{
    auto d = std::make_unique<DataSet>();
    for (const char *f : {"cmcd", "buut", "itnb", "buut_name", "imname", "immdan", "imldan", "unit", "kpcd", "prky",
                          "paky"})
        d->AddField(QLatin1String(f), FieldType::String);
    for (const char *f : {"immcal", "current_qty", "in_qty", "out_qty", "loss_qty", "stock_qty", "casawt", "imbhup"})
        d->AddField(QLatin1String(f), FieldType::Float);
    for (const char *f : {"current_amt", "in_amt", "out_amt", "loss_amt", "stock_amt"})
        d->AddField(QLatin1String(f), FieldType::Integer);
    d->Open();
    QList<QList<QVariant>> data;
    for (const Material &m : rows) {
        const auto amount = [&m](double q) { return int(q * m.imbhup); };
        data.append({"9999", "9999", m.itnb, "데모지점", QString::fromUtf8(m.imname), "EA", "EA", m.unit, m.kpcd,
                     m.itnb, "", 1.0, m.current, m.in, m.out, m.loss, m.stock, m.casawt, m.imbhup,
                     amount(m.current), amount(m.in), amount(m.out), amount(m.loss), amount(m.stock)});
    }
    d->LoadRows(d->FieldDefs(), std::move(data));
    return d;
}

// Component use: set, cnt, seq and the three whole-set counts.
struct Use {
    const char *kpcd;
    int cnt, seq, current, out, loss;
};

std::unique_ptr<DataSet> useRows(const std::vector<Use> &rows)
{
    auto d = std::make_unique<DataSet>();
    for (const char *f : {"cmcd", "buut", "kpcd"})
        d->AddField(QLatin1String(f), FieldType::String);
    for (const char *f : {"cnt", "seq", "each_count_current", "each_count_out", "each_count_loss"})
        d->AddField(QLatin1String(f), FieldType::Integer);
    d->Open();
    QList<QList<QVariant>> data;
    for (const Use &u : rows)
        data.append({"9999", "9999", u.kpcd, u.cnt, u.seq, u.current, u.out, u.loss});
    d->LoadRows(d->FieldDefs(), std::move(data));
    return d;
}

// A component list: set, component, component name, set name, stock unit, casawt.
struct Component {
    const char *capub1, *caitnb, *imname, *setName, *imedan;
    double casawt;
};

std::unique_ptr<DataSet> componentRows(const std::vector<Component> &rows)
{
    auto d = std::make_unique<DataSet>();
    for (const char *f : {"cacmcd", "cabuut", "capub1", "caitnb", "buut_name", "imname", "component_name", "immdan",
                          "imldan", "imedan"})
        d->AddField(QLatin1String(f), FieldType::String);
    for (const char *f : {"immcal", "casawt"})
        d->AddField(QLatin1String(f), FieldType::Float);
    d->Open();
    QList<QList<QVariant>> data;
    for (const Component &c : rows)
        data.append({"9999", "9999", c.capub1, c.caitnb, "데모지점", QString::fromUtf8(c.imname),
                     QString::fromUtf8(c.setName), "BOX", c.imedan, c.imedan, 10.0, c.casawt});
    d->LoadRows(d->FieldDefs(), std::move(data));
    return d;
}

// The work table's row as texts: itnb, imname, unit, kpcd, prky, then the
// ten figures (current, in, out, loss, stock, each quantity and amount).
std::vector<QString> rowTexts(const DataSet &t, int row)
{
    const DataSet::RowScope scope(t, row);
    std::vector<QString> out;
    for (const char *f : {"itnb", "imname", "unit", "kpcd", "prky"})
        out.push_back(t.FieldByName(QLatin1String(f)).AsString());
    for (const char *f : {"current_qty", "current_amt", "in_qty", "in_amt", "out_qty", "out_amt", "loss_qty",
                          "loss_amt", "stock_qty", "stock_amt"})
        out.push_back(t.FieldByName(QLatin1String(f)).AsCurrency().toString());
    return out;
}

std::vector<QString> expect(std::initializer_list<const char *> texts)
{
    std::vector<QString> out;
    for (const char *t : texts)
        out.push_back(QString::fromUtf8(t));
    return out;
}

} // namespace

// Set 700001 (listed, price 1000) of 710001, 710002 (two a set, price
// 33.3333), 710003 and 710004 (missing from the rows); set 700002 (not
// listed) of 720001, 720002 and 720003 (missing); component 730001 of set
// 700003, which has no use.
TEST(MaterialLedgerRebooking, BooksWholeSetsAndAddsMissingComponents)
{
    const auto rows = materialRows({
        {"500001", "강력분", "G", "", 0, 2, 100, 10, 20, 1, 89},
        {"700001", "포장세트A", "EA", "", 0, 1000, 0, 0, 0, 0, 0},
        {"710001", "박스A", "EA", "700001", 1, 100, 10, 0, 3, 2, 5},
        {"710002", "리본A", "EA", "700001", 2, 33.3333, 20, 0, 10, 5, 5},
        {"710003", "팩A", "EA", "700001", 1, 10, 4, 0, 4, 3, -3},
        {"720001", "박스B", "EA", "700002", 1, 10, 5, 0, 2, 0, 3},
        {"720002", "리본B", "EA", "700002", 1, 10, 6, 0, 3, 1, 2},
        {"730001", "박스C", "EA", "700003", 1, 10, 7, 1, 2, 3, 3},
    });
    // Components allow 3, 5 and 4 sets of use (710002 counting two a set),
    // 7, 9 and 4 of opening stock, 2, 1 and 3 of loss.
    const auto use = useRows({
        {"700001", 3, 1, 7, 3, 2},
        {"700001", 3, 2, 9, 5, 1},
        {"700001", 3, 3, 4, 4, 3},
        {"700002", 2, 1, 5, 2, 0},
        {"700002", 2, 2, 6, 3, 1},
    });
    const auto setA = componentRows({{"700001", "710001", "박스A", "포장세트A", "EA", 1},
                                     {"700001", "710002", "리본A", "포장세트A", "EA", 2},
                                     {"700001", "710003", "팩A", "포장세트A", "EA", 1},
                                     {"700001", "710004", "스티커A", "포장세트A", "매", 3}});
    const auto setB = componentRows({{"700002", "720001", "박스B", "포장세트B", "EA", 1},
                                     {"700002", "720002", "리본B", "포장세트B", "EA", 1},
                                     {"700002", "720003", "팩B", "포장세트B", "EA", 1}});
    std::vector<std::tuple<QString, QString, QString>> asked;
    const auto table = RebookMaterialLedger(*rows, *use, [&](const QString &c, const QString &s, const QString &set)
                                                             -> const DataSet & {
        asked.emplace_back(c, s, set);
        return set == QLatin1String("700001") ? *setA : *setB;
    });
    EXPECT_EQ(asked, (std::vector<std::tuple<QString, QString, QString>>{{"9999", "9999", "700001"},
                                                                        {"9999", "9999", "700002"}}));

    const std::vector<std::vector<QString>> expected = {
        // Not a component: as sent.
        expect({"500001", "강력분", "G", "", "500001", "100", "200", "10", "20", "20", "40", "1", "2", "89", "178"}),
        // The set gains 4 sets of opening, 3 of use, 1 of loss; its stock loses the use.
        expect({"700001", "포장세트A", "EA", "", "700001", "4", "4000", "0", "0", "3", "3000", "1", "1000", "-3",
                "-3000"}),
        // Each component loses as many sets times its casawt; its stock stays.
        expect({"710001", "박스A", "G", "700001", "710001", "6", "600", "0", "0", "0", "0", "1", "100", "5", "500"}),
        expect({"710002", "리본A", "G", "700001", "710002", "12", "399.9996", "0", "0", "4", "133.3332", "3",
                "99.9999", "5", "166"}),
        expect({"710003", "팩A", "G", "700001", "710003", "0", "0", "0", "0", "1", "10", "2", "20", "-3", "-30"}),
        // The set that is not listed books nothing; its components are reduced all the same.
        expect({"720001", "박스B", "G", "700002", "720001", "0", "0", "0", "0", "0", "0", "0", "0", "3", "30"}),
        expect({"720002", "리본B", "G", "700002", "720002", "1", "10", "0", "0", "1", "10", "1", "10", "2", "20"}),
        // A component whose set had no use keeps its figures.
        expect({"730001", "박스C", "G", "700003", "730001", "7", "70", "1", "10", "2", "20", "3", "30", "3", "30"}),
        // Added: the listed set's missing component with zero figures, ...
        expect({"710004", "스티커A", "매", "", "710004", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
        // ... the unlisted set under its first component, then its missing one.
        expect({"700002", "  포장세트B", "G", "720001", "700002", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
        expect({"720003", "팩B", "EA", "", "720003", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
    };
    ASSERT_EQ(table->RecordCount(), int(expected.size()));
    for (int r = 0; r < int(expected.size()); ++r)
        EXPECT_EQ(rowTexts(*table, r), expected[size_t(r)]) << "row " << r;

    // The grid's formats.
    EXPECT_EQ(table->FieldByName(QStringLiteral("out_qty")).DisplayFormat(), QStringLiteral(",0.000;-,0.000"));
    EXPECT_EQ(table->FieldByName(QStringLiteral("stock_amt")).DisplayFormat(), QStringLiteral(",0;-,0"));
    EXPECT_EQ(table->FieldByName(QStringLiteral("casawt")).DataType(), FieldType::Currency);
    const DataSet::RowScope set(*table, 1);
    EXPECT_EQ(table->FieldByName(QStringLiteral("stock_amt")).DisplayText(), QStringLiteral("-3,000"));
}

TEST(MaterialLedgerRebooking, EmptyAnswersAndAFailingComponentList)
{
    int lists = 0;
    const ComponentList none = [&](const QString &, const QString &, const QString &) -> const DataSet & {
        ++lists;
        throw std::runtime_error("no list");
    };
    // An empty period: an empty, open table and no list asked for.
    const auto empty = RebookMaterialLedger(*materialRows({}), *useRows({}), none);
    EXPECT_TRUE(empty->Active());
    EXPECT_EQ(empty->RecordCount(), 0);

    // Rows without any use: copied as they are, their set's unit "G".
    const auto rows = materialRows({{"710001", "박스A", "EA", "700001", 1, 100, 10, 0, 3, 2, 5}});
    const auto copied = RebookMaterialLedger(*rows, *useRows({}), none);
    EXPECT_EQ(rowTexts(*copied, 0),
              expect({"710001", "박스A", "G", "700001", "710001", "10", "1000", "0", "0", "3", "300", "2", "200", "5",
                      "500"}));
    EXPECT_EQ(lists, 0);

    // A failing list reaches the caller.
    EXPECT_THROW(RebookMaterialLedger(*rows, *useRows({{"700001", 1, 1, 9, 3, 2}}), none), std::runtime_error);
    EXPECT_EQ(lists, 1);
}
