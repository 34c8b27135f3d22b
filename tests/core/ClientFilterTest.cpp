#include "core/ClientFilter.h"

#include "platform/dataset/DataSet.h"

#include <gtest/gtest.h>

#include <QMap>

#include <functional>

namespace {

// Each type button keeps the rows of its type name; materials are raw and
// secondary materials together; "all" switches the filter off.
TEST(ItemTypeFilter, EachButtonKeepsItsTypeNamesAndAllShowsEveryRow)
{
    DataSet lines;
    lines.AddField(QStringLiteral("itty_name"), FieldType::String, 20);
    lines.Open();
    for (const char *type : {"제품", "상품", "반제품", "원재료", "부재료", ""}) {
        lines.Append();
        lines.FieldByName(QStringLiteral("itty_name")).setAsString(QString::fromUtf8(type));
        lines.Post();
    }
    const struct {
        ItemTypeButton button;
        const char *text;
        QStringList kept;
    } cases[] = {
        {ItemTypeButton::Product, "itty_name = '제품'", {"제품"}},
        {ItemTypeButton::SemiProduct, "itty_name = '반제품'", {"반제품"}},
        {ItemTypeButton::Goods, "itty_name = '상품'", {"상품"}},
        {ItemTypeButton::Materials, "itty_name = '원재료' or itty_name = '부재료' ", {"원재료", "부재료"}},
        {ItemTypeButton::All, "", {"제품", "상품", "반제품", "원재료", "부재료", ""}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ItemTypeFilterText(QStringLiteral("itty_name"), c.button), QString::fromUtf8(c.text));
        ItemTypeFilter(lines, QStringLiteral("itty_name"), c.button);
        QStringList kept;
        for (lines.First(); !lines.Eof(); lines.Next())
            kept << lines.FieldByName(QStringLiteral("itty_name")).AsString();
        EXPECT_EQ(kept, c.kept);
    }
}

// Rows of a one-field data set that a filter keeps, by the field's text.
QStringList Kept(DataSet &ds, const QString &field)
{
    QStringList kept;
    for (ds.First(); !ds.Eof(); ds.Next())
        kept << ds.FieldByName(field).AsString();
    return kept;
}

// Every name is found by exactly one key besides the all key, or by none: the
// filter clause of each key runs through the data set's own filter, and the
// range test agrees with it.
TEST(NameIndexRange, EachNameIsFoundUnderItsOneKey)
{
    const struct {
        const char *name;
        int key; // 0: no key but the all key
    } cases[] = {
        {"가", 656302},      {"각", 656302},      {"깨찰빵", 656302},  {"나", 656303},     {"따뜻한빵", 656304},
        {"빵", 656307},      {"쌀식빵", 656308},  {"짜장빵", 656310},  {"파이", 656314},   {"하", 656315},
        {"호두파이", 656315}, {"힣", 656315},     {"힣힣", 656315},    {"apple", 656316},  {"Apple", 656316},
        {"zebra", 656316},   {"Zebra", 656316},   {"0칼로리", 656317}, {"9곡빵", 656317},  {"ㄱ자빵", 0},
        {" 빵", 0},          {"(빵)", 0},         {"", 0},
    };
    DataSet names;
    names.AddField(QStringLiteral("imname"), FieldType::String, 40);
    names.Open();
    for (const auto &c : cases) {
        names.Append();
        names.FieldByName(QStringLiteral("imname")).setAsString(QString::fromUtf8(c.name));
        names.Post();
    }
    QMap<int, QStringList> keptByKey;
    for (int key = kNameIndexAll + 1; key <= kNameIndexLast; ++key) {
        ApplyClientFilter(names, NameIndexClause(QStringLiteral("imname"), key));
        keptByKey[key] = Kept(names, QStringLiteral("imname"));
    }
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        SCOPED_TRACE(name.toStdString());
        QList<int> keys, rangeKeys;
        for (int key = kNameIndexAll + 1; key <= kNameIndexLast; ++key) {
            if (keptByKey[key].contains(name))
                keys << key;
            if (NameIndexRange(key).contains(name))
                rangeKeys << key;
        }
        EXPECT_EQ(keys, c.key ? QList<int>{c.key} : QList<int>{});
        EXPECT_EQ(rangeKeys, keys);
        EXPECT_TRUE(NameIndexRange(kNameIndexAll).contains(name));
    }
    EXPECT_TRUE(NameIndexRange(kNameIndexAll).all());
    EXPECT_TRUE(NameIndexClause(QStringLiteral("imname"), kNameIndexAll).isEmpty());
    EXPECT_EQ(NameIndexClause(QStringLiteral("imname"), 656302), QStringLiteral("imname >= '가' and imname < '나'"));
    EXPECT_EQ(NameIndexClause(QStringLiteral("imname"), 656316),
              QStringLiteral("(imname >= 'a' and imname < '{' or imname >= 'A' and imname < '[')"));
}

// The production list's filter through a run of touches on eight rows: what
// is shown pressed (key, type, categories) is what filters once a search
// date is set.
TEST(NameIndexFilter, TouchesNarrowTheRowsByEveryChoiceShown)
{
    const char *fields[] = {"imname", "itty_name", "imsdki", "imsjki"};
    DataSet rows;
    for (const char *f : fields)
        rows.AddField(QString::fromLatin1(f), FieldType::String, 40);
    rows.Open();
    const char *fixture[][4] = {
        {"가나빵", "제품", "201", "002"},   {"가래떡", "반제품", "201", "002"}, {"감자빵", "제품", "201", "001"},
        {"고구마빵", "제품", "202", "002"}, {"나비빵", "제품", "201", "002"},   {"apple파이", "제품", "201", "001"},
        {"Zebra케이크", "제품", "202", "001"}, {"Bagel", "제품", "201", "001"},
    };
    for (const auto &r : fixture) {
        rows.Append();
        for (int i = 0; i < 4; ++i)
            rows.FieldByName(QString::fromLatin1(fields[i])).setAsString(QString::fromUtf8(r[i]));
        rows.Post();
    }
    const QStringList all = {"가나빵", "가래떡", "감자빵", "고구마빵", "나비빵", "apple파이", "Zebra케이크", "Bagel"};
    const struct {
        const char *touch;
        std::function<void(NameIndexState &)> act;
        QStringList kept;
    } steps[] = {
        {"type 제품 before any date", [](NameIndexState &s) { s.pressType(QStringLiteral("제품")); }, all},
        {"key 가 before any date", [](NameIndexState &s) { s.pressKey(656302); }, all},
        {"from date set, key 가: the remembered type holds",
         [](NameIndexState &s) {
             s.searchDate = QStringLiteral("20240301");
             s.pressKey(656302);
         },
         {"가나빵", "감자빵", "고구마빵"}},
        {"major 201 keeps key and type", [](NameIndexState &s) { s.chooseMajor(QStringLiteral("201")); },
         {"가나빵", "감자빵"}},
        {"middle 002: all four conditions", [](NameIndexState &s) { s.chooseMiddle(QStringLiteral("002")); },
         {"가나빵"}},
        {"another major drops the middle, keeps key and type",
         [](NameIndexState &s) { s.chooseMajor(QStringLiteral("202")); }, {"고구마빵"}},
        {"Latin with major 201 and 제품",
         [](NameIndexState &s) {
             s.chooseMajor(QStringLiteral("201"));
             s.pressKey(656316);
         },
         {"apple파이", "Bagel"}},
        {"all types: the all key goes down", [](NameIndexState &s) { s.pressType(QString()); },
         {"가나빵", "가래떡", "감자빵", "나비빵", "apple파이", "Bagel"}},
        {"a search starts over: filter off", [](NameIndexState &s) { s.search(QStringLiteral("20240302")); }, all},
        {"type 반제품 alone", [](NameIndexState &s) { s.pressType(QStringLiteral("반제품")); }, {"가래떡"}},
        {"a middle category without its major changes nothing",
         [](NameIndexState &s) { s.chooseMiddle(QStringLiteral("001")); }, {"가래떡"}},
        {"key 가 with nothing chosen",
         [](NameIndexState &s) {
             s.middle.clear();
             s.pressType(QString());
             s.pressKey(656302);
         },
         {"가나빵", "가래떡", "감자빵", "고구마빵"}},
        {"the all key with nothing chosen: filter off", [](NameIndexState &s) { s.pressKey(kNameIndexAll); }, all},
    };
    NameIndexState state;
    for (const auto &step : steps) {
        SCOPED_TRACE(step.touch);
        step.act(state);
        ApplyNameIndexFilter(rows, state);
        EXPECT_EQ(Kept(rows, QStringLiteral("imname")), step.kept);
    }
    EXPECT_FALSE(rows.Filtered());

    NameIndexState four{QStringLiteral("20240301"), QStringLiteral("201"), QStringLiteral("002"), QStringLiteral("제품"),
                        656302};
    EXPECT_EQ(NameIndexFilter(four).text,
              QStringLiteral("imsdki = '201' and imsjki = '002' and imname >= '가' and imname < '나'"
                             " and itty_name = '제품' "));
    four.middle.clear();
    four.pressKey(656316);
    EXPECT_EQ(NameIndexFilter(four).text,
              QStringLiteral("imsdki = '201' and (imname >= 'a' and imname < '{' or imname >= 'A' and imname < '[')"
                             " and itty_name = '제품' "));
}

} // namespace
