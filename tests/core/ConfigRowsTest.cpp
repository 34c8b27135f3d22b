// The configuration row and the printer-kind row of a terminal: save and load
// against the test server, driven by the settings record's field descriptors.

#include "DataModuleFixture.h"

#include "Dispatcher.h"
#include "Store.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

class ConfigRowsTest : public DataModuleSuite {
protected:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        ASSERT_TRUE(dm->SDB_Open());
    }

    static bool roundTrips(const ConfigField &f) { return (f.flags & cfLoad) && (f.flags & cfSave); }

    // A value for every loaded-and-saved field that differs from its default,
    // with a cleared element in each text list (it must come back as such).
    static void setDistinctValues(TMyConfig &config)
    {
        int i = 0;
        for (const ConfigField &f : ConfigFields()) {
            if (!roundTrips(f))
                continue;
            ++i;
            QVariant v;
            switch (f.kind) {
            case ConfigKind::Text: v = QStringLiteral("설정%1").arg(i); break;
            case ConfigKind::Char: v = QString(QChar('A' + i % 26)); break;
            case ConfigKind::Bool: v = !ConfigFieldValue(config, f).toBool(); break;
            case ConfigKind::Int8: v = 100 + i % 20; break;
            case ConfigKind::Int16: v = 1000 + i; break;
            case ConfigKind::Int32: v = 100000 + i; break;
            case ConfigKind::Single: v = 0.5 + i; break;
            case ConfigKind::DateTime: v = QDateTime(QDate(1899, 12, 30), QTime(13, 45)); break;
            case ConfigKind::TextList: {
                QStringList items;
                for (int k = 0; k < f.count; ++k)
                    items << (k == 1 ? ClearedElement() : QStringLiteral("항목%1-%2").arg(i).arg(k));
                v = items.join(QLatin1Char('|'));
                break;
            }
            case ConfigKind::IntList:
            case ConfigKind::ByteList: {
                QStringList items;
                for (int k = 0; k < f.count; ++k)
                    items << QString::number(k * 3 + i % 7 + 1);
                v = items.join(QLatin1Char('|'));
                break;
            }
            }
            ASSERT_TRUE(SetConfigFieldValue(config, f, v)) << f.name;
        }
    }

    // The record as the configuration row carries it.
    static QMap<QString, QVariant> rowValues(const TMyConfig &config)
    {
        QMap<QString, QVariant> values;
        for (const ConfigField &f : ConfigFields())
            if (roundTrips(f))
                values.insert(QLatin1String(f.name), ConfigFieldValue(config, f));
        return values;
    }

    static void resetToDefaults()
    {
        TMyConfig fresh;
        fresh.CompanyCode = MyConfig.CompanyCode;
        fresh.StoreCode = MyConfig.StoreCode;
        fresh.PosNo = MyConfig.PosNo;
        ApplyConfigDefaults(fresh);
        MyConfig = fresh;
    }

    void execOnServer(const char *sql)
    {
        auto lease = server().store().acquire();
        lease.db().exec(sql);
    }
};

TEST_F(ConfigRowsTest, SaveThenLoadRoundTripsEverySavedField)
{
    setDistinctValues(MyConfig);
    MyConfig.UIADNB = QStringLiteral("90000001");
    const QMap<QString, QVariant> saved = rowValues(MyConfig);
    ASSERT_GT(saved.size(), 130);
    ASSERT_TRUE(dm->SaveConfig()) << logText().toStdString();

    // One parameter per saved field, the renamed ones by their own names, the
    // last eleven in their fixed order.
    const wire::Request sent = dm->cds_SaveConfig->request(wire::Mode::Execute);
    QStringList names;
    for (const wire::Param &p : sent.params)
        names << p.name;
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << names.join(',').toStdString();
    EXPECT_EQ(names.size(), 3 + int(ConfigSaveOrder().size()));
    EXPECT_EQ(names.mid(0, 3), (QStringList{"@A_COMPANYCODE", "@A_STORECODE", "@A_POSNO"}));
    EXPECT_EQ(names.mid(names.size() - 11),
              (QStringList{"@A_SCWORK", "@A_SCKMTY", "@A_scystm", "@A_autocutpoint", "@A_countbill",
                           "@A_takeoutflag", "@A_startbell", "@A_endbell", "@A_gifticonid",
                           "@A_serviceitemprint", "@A_setcoursepreview"}));
    for (const char *renamed : {"@A_PtStore", "@A_PtLeastSett", "@A_PrBarcode", "@A_CountOD", "@A_StartDate"})
        EXPECT_TRUE(names.contains(QLatin1String(renamed))) << renamed;
    EXPECT_FALSE(names.contains(QStringLiteral("@A_pointcut"), Qt::CaseInsensitive));
    const wire::Param &scystm = sent.params.at(names.indexOf(QStringLiteral("@A_scystm")));
    EXPECT_EQ(scystm.type, wire::Type::String);
    EXPECT_EQ(scystm.value.toString(), QStringLiteral("1345"));

    resetToDefaults();
    const QDateTime before(QDate(2000, 1, 1), QTime(0, 0));
    MyConfig.StartDate = before;
    ASSERT_TRUE(dm->LoadConfig()) << logText().toStdString();
    const QMap<QString, QVariant> loaded = rowValues(MyConfig);
    for (auto it = saved.begin(); it != saved.end(); ++it)
        EXPECT_EQ(loaded.value(it.key()), it.value())
            << it.key().toStdString() << ": " << loaded.value(it.key()).toString().toStdString() << " instead of "
            << it.value().toString().toStdString();
    // Every column the load reads comes with the type of its field.
    for (const ConfigField &f : ConfigFields()) {
        if (!(f.flags & cfLoad))
            continue;
        FieldType want = FieldType::String;
        switch (f.kind) {
        case ConfigKind::Bool: want = FieldType::Boolean; break;
        case ConfigKind::Int8:
        case ConfigKind::Int16:
        case ConfigKind::Int32: want = FieldType::Integer; break;
        case ConfigKind::Single: want = FieldType::Float; break;
        case ConfigKind::DateTime: want = FieldType::DateTime; break;
        default: break;
        }
        const Field *column = dm->cds_LoadConfig->FindField(QLatin1String(f.column));
        ASSERT_TRUE(column) << f.column;
        const FieldType got = column->DataType() == FieldType::SmallInt ? FieldType::Integer : column->DataType();
        EXPECT_EQ(got, want) << f.column;
    }
    EXPECT_NE(MyConfig.StartDate, before);
    EXPECT_TRUE(MyConfig.StartDate.isValid());
    // The identity columns come with the row.
    EXPECT_EQ(MyConfig.StoreName, QStringLiteral("데모지점"));
}

TEST_F(ConfigRowsTest, LoadReadsShortListsEmptyLoginTypeAndIgnoresSurplus)
{
    ASSERT_TRUE(dm->SaveConfig());
    execOnServer("UPDATE F0000 SET LoginType = '', TableCount = '5|6', "
                 "LayerTitle = '가|나|다|라|마|바|사|아|자|차|카|타|파|하|A|B|C|D|E|F|G|H' "
                 "WHERE SCCMCD = '9999' AND SCBUUT = '9999' AND SCPOID = '99'");
    resetToDefaults();
    MyConfig.TableCount[2] = 42;
    ASSERT_TRUE(dm->LoadConfig()) << logText().toStdString();
    EXPECT_EQ(MyConfig.LoginType, QChar('0'));
    EXPECT_EQ(MyConfig.TableCount[0], 5);
    EXPECT_EQ(MyConfig.TableCount[1], 6);
    EXPECT_EQ(MyConfig.TableCount[2], 42);
    EXPECT_EQ(MyConfig.LayerTitle[0], QStringLiteral("가"));
    EXPECT_EQ(MyConfig.LayerTitle[19], QStringLiteral("F"));
}

TEST_F(ConfigRowsTest, NoRowLeavesTheDefaultsAndStartDate)
{
    MyConfig.StoreCode = QStringLiteral("7777");
    dm->ROChannel->setTerminalKey(server().newTerminalKey(QStringLiteral("7777"))); // a terminal of that store
    resetToDefaults();
    const QDateTime before(QDate(2000, 1, 1), QTime(0, 0));
    MyConfig.StartDate = before;
    const QMap<QString, QVariant> defaults = rowValues(MyConfig);
    EXPECT_FALSE(dm->LoadConfig());
    EXPECT_EQ(rowValues(MyConfig), defaults);
    EXPECT_EQ(MyConfig.StartDate, before);
    EXPECT_TRUE(logText().isEmpty());
}

TEST_F(ConfigRowsTest, PrinterKindRoundTrips)
{
    ASSERT_TRUE(dm->SsLoadConfig()) << logText().toStdString();
    EXPECT_EQ(MyConfig.pcprst, QStringLiteral("1"));
    MyConfig.pcprst = QStringLiteral("2");
    MyConfig.UIADNB = QStringLiteral("90000001");
    ASSERT_TRUE(dm->SsSaveConfig()) << logText().toStdString();
    MyConfig.pcprst.clear();
    ASSERT_TRUE(dm->SsLoadConfig());
    EXPECT_EQ(MyConfig.pcprst, QStringLiteral("2"));
}

TEST_F(ConfigRowsTest, EmptyPrinterKindAnswerFails)
{
    TestServer empty;
    empty.start();
    empty.dispatcher().registry().add(QStringLiteral("GP_SELECT_F0003_ProductPOSConfig"), false,
                                      [](hq::Call &call) {
                                          call.answer.columns = {{QStringLiteral("pcprst"), wire::Type::String, 1}};
                                      });
    MyConfig.SPO = QString::number(empty.port());
    ASSERT_TRUE(dm->SDB_Open());
    MyConfig.pcprst = QStringLiteral("1");
    EXPECT_FALSE(dm->SsLoadConfig());
    EXPECT_EQ(MyConfig.pcprst, QStringLiteral("1"));
    EXPECT_TRUE(logText().contains(QStringLiteral("TDM.SsLoadConfig Error:cds_SangsanLodeConfig:")))
        << logText().toStdString();
    dm->ROChannel->Disconnect(); // let the server stop without waiting for the idle connection
}

TEST_F(ConfigRowsTest, FailuresAreLogged)
{
    cutTheLine();
    EXPECT_FALSE(dm->LoadConfig());
    EXPECT_FALSE(dm->SaveConfig());
    EXPECT_FALSE(dm->SsLoadConfig());
    EXPECT_FALSE(dm->SsSaveConfig());
    const QString log = logText();
    for (const char *text : {"TDM.LoadConfig Error:", "TDM.SaveConfig Error:", "TDM.SsLoadConfig Error:",
                             "TDM.cds_SangsanSaveConfig Error:"})
        EXPECT_TRUE(log.contains(QLatin1String(text))) << text;
}

} // namespace
