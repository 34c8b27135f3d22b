#include "core/MyConfig.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

class Config : public ::testing::Test
{
protected:
    void TearDown() override
    {
        MyConfig = TMyConfig();
        os::SetClockOffset(0);
    }

    static const ConfigField &field(const char *name)
    {
        const ConfigField *f = FindConfigField(QString::fromLatin1(name));
        if (!f)
            throw std::runtime_error(name);
        return *f;
    }

    TMyConfig config;
};

} // namespace

TEST_F(Config, DefaultsFillTheConfigurationPartOnly)
{
    os::SetNow(QDateTime(QDate(2024, 5, 1), QTime(10, 0)));
    MyConfig.SIP = QStringLiteral("127.0.0.1");
    MyConfig.CompanyCode = QStringLiteral("0105");
    MyConfig.countbill = 7;
    MyConfig.pointcut = 9;
    MyConfig.UIYAUG = true;
    TCM cm;
    ASSERT_TRUE(cm.SetDefaultConfig());

    const TMyConfig &c = MyConfig;
    EXPECT_EQ(c.CompanyName, QString::fromUtf8("오르베사"));
    EXPECT_EQ(c.Address2, QString::fromUtf8("123번지 오르빌딩 3층"));
    EXPECT_EQ(c.VANName[0], QStringLiteral("KISVAN"));
    EXPECT_EQ(c.VANName[1], QString(QChar(0)));     // cleared, not empty
    EXPECT_EQ(c.VANKey[0], QString());
    EXPECT_EQ(c.PortCookery[0], QString());
    EXPECT_EQ(c.PortCookery[20], QString(QChar(0)));
    EXPECT_EQ(c.LayerTitle[2], QString::fromUtf8("3층"));
    EXPECT_EQ(c.LayerTitle[3], QString(QChar(0)));
    EXPECT_EQ(ElementText(c.LayerTitle[3]), QString());
    EXPECT_EQ(c.TableCount[0], 10);
    EXPECT_EQ(c.TableCount[2], 20);
    EXPECT_EQ(c.TableCount[3], 0);
    EXPECT_EQ(c.PackCount[1], 1);
    EXPECT_EQ(c.SubLeft, 1024);
    EXPECT_EQ(c.LoginType, QChar('1'));
    EXPECT_EQ(c.NextDayFlag, QChar(' '));
    EXPECT_EQ(c.PointTerm, 1825);
    EXPECT_FLOAT_EQ(c.VatRatio, 10.0f);
    EXPECT_EQ(c.PTLeastSett, 1000);
    EXPECT_EQ(c.CountCardDirect, 2);
    EXPECT_EQ(c.PrMessage4, QString::fromUtf8("적립된 포인트의 유효기간은 5년입니다."));
    EXPECT_EQ(c.OrderClosingTime, QStringLiteral("2359"));
    EXPECT_EQ(c.StartDate.date(), QDate(2024, 5, 1));
    // The INI part and the fields without a default are left alone.
    EXPECT_EQ(c.SIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(c.CompanyCode, QStringLiteral("0105"));
    EXPECT_EQ(c.countbill, 7);
    EXPECT_EQ(c.pointcut, 9);
    EXPECT_TRUE(c.UIYAUG);
}

TEST_F(Config, SaveOrderEndsWithTheTrailingParameters)
{
    QSet<QString> names, params;
    for (const ConfigField &f : ConfigFields()) {
        EXPECT_FALSE(names.contains(QString::fromLatin1(f.name))) << f.name;
        names.insert(QString::fromLatin1(f.name));
        if (f.flags & cfSave) {
            EXPECT_TRUE(QString::fromLatin1(f.param).startsWith(QStringLiteral("@A_"))) << f.name;
            EXPECT_FALSE(params.contains(QString::fromLatin1(f.param))) << f.param;
            params.insert(QString::fromLatin1(f.param));
        }
    }
    const auto order = ConfigSaveOrder();
    ASSERT_GE(order.size(), 11u);
    QStringList tail;
    for (auto it = order.end() - 11; it != order.end(); ++it)
        tail << QString::fromLatin1((*it)->param);
    EXPECT_EQ(tail, (QStringList{"@A_SCWORK", "@A_SCKMTY", "@A_scystm", "@A_autocutpoint", "@A_countbill",
                                 "@A_takeoutflag", "@A_startbell", "@A_endbell", "@A_gifticonid",
                                 "@A_serviceitemprint", "@A_setcoursepreview"}));
    EXPECT_EQ(QString::fromLatin1(order.front()->param), QStringLiteral("@A_VANName"));
    // Loaded but never saved, and saved but never loaded.
    EXPECT_EQ(field("pointcut").flags & cfSave, 0u);
    EXPECT_EQ(field("StorePhone").flags & cfSave, 0u);
    EXPECT_EQ(field("StartDate").flags & cfLoad, 0u);
    EXPECT_EQ(field("POSVersion").flags & cfLoad, 0u);
    EXPECT_EQ(QString::fromLatin1(field("PrBarCode").param), QStringLiteral("@A_PrBarcode"));
    EXPECT_EQ(QString::fromLatin1(field("CountOd").param), QStringLiteral("@A_CountOD"));
}

TEST_F(Config, ColumnValuesGoInAndComeOutAsTheRowCarriesThem)
{
    config.MenuIndex.fill(9);
    ASSERT_TRUE(SetConfigFieldValue(config, field("MenuIndex"), QStringLiteral("1|2|3")));
    EXPECT_EQ(config.MenuIndex[2], 3);
    EXPECT_EQ(config.MenuIndex[3], 9); // no item: kept
    ASSERT_TRUE(SetConfigFieldValue(config, field("SettIndex"), QStringLiteral("1|2|3|4|5|6|7")));
    EXPECT_EQ(ConfigFieldValue(config, field("SettIndex")).toString(), QStringLiteral("1|2|3|4|5"));

    ClearStrings(config.VANName.data(), 1);
    ASSERT_TRUE(SetConfigFieldValue(config, field("VANName"), QStringLiteral("KISVAN")));
    EXPECT_EQ(ConfigFieldValue(config, field("VANName")).toString(), QStringLiteral("KISVAN|") + QChar(0));

    ASSERT_TRUE(SetConfigFieldValue(config, field("TableCount"), QStringLiteral("10|266")));
    EXPECT_EQ(config.TableCount[1], 10); // low 8 bits

    struct CharCase { const char *name; QVariant value; QChar expected; };
    const CharCase chars[] = {
        {"LoginType", QString(), QChar('0')},
        {"LoginType", QStringLiteral("2"), QChar('2')},
        {"PosMode", QString(), QChar()},
        {"PosMode", QVariant(), QChar()},
        {"PrintStockPrice", QStringLiteral("21"), QChar('2')},
    };
    for (const CharCase &c : chars) {
        ASSERT_TRUE(SetConfigFieldValue(config, field(c.name), c.value)) << c.name;
        EXPECT_EQ(*static_cast<QChar *>(field(c.name).address(config)), c.expected) << c.name;
    }
    EXPECT_EQ(ConfigFieldValue(config, field("PrintStockPrice")), QVariant(QStringLiteral("2")));

    ASSERT_TRUE(SetConfigFieldValue(config, field("scystm"), QStringLiteral("0930")));
    EXPECT_EQ(config.scystm.time(), QTime(9, 30));
    config.scystm = QDateTime(QDate(2024, 5, 1), QTime(23, 5, 40));
    EXPECT_EQ(ConfigFieldValue(config, field("scystm")), QVariant(QStringLiteral("2305")));

    struct NumberCase { const char *name; QVariant value; bool ok; double expected; };
    const NumberCase numbers[] = {
        {"SubLeft", 800, true, 800},
        {"SubLeft", QStringLiteral(" 640 "), true, 640},
        {"SubLeft", QVariant(), true, 0},
        {"SubLeft", QStringLiteral("12a"), false, 0},
        {"VatRatio", 7.5, true, 7.5},
        {"PrUse", QStringLiteral("1"), true, 1},
        {"PrUse", QStringLiteral("false"), true, 0},
        {"PrUse", true, true, 1},
    };
    for (const NumberCase &c : numbers) {
        const QVariant before = ConfigFieldValue(config, field(c.name));
        EXPECT_EQ(SetConfigFieldValue(config, field(c.name), c.value), c.ok) << c.name;
        const QVariant after = ConfigFieldValue(config, field(c.name));
        if (c.ok)
            EXPECT_DOUBLE_EQ(after.toDouble(), c.expected) << c.name;
        else
            EXPECT_EQ(after, before) << c.name;
    }
}
