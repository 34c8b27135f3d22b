// tableorders <database file>: writes three restaurant-table orders into the
// terminal's local database (the SQLite file <program folder>/<LDB>.db), as
// the table-order program would: item lines in TBLDTL ordered now, memos in
// TBLMMO, and the place names of the first floor in TBLCNF where none is set.
// Run it while the terminal runs; the table-order window lists the lines the
// next time it is shown.

#include "platform/localdb/LocalDatabase.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>

namespace {

void run(QSqlQuery &q, const QString &sql, const QVariantList &values = {})
{
    if (!q.prepare(sql))
        throw LocalDbError(q.lastError().text());
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw LocalDbError(q.lastError().text());
}

// The next item number of a place: one above the highest it has.
int nextItem(QSqlQuery &q, int floor, int place)
{
    run(q, QStringLiteral("SELECT IFNULL(MAX(ITEM_IDX), 0) + 1 FROM TBLDTL WHERE FL_NO = ? AND TBL_NO = ?"),
        {floor, place});
    return q.next() ? q.value(0).toInt() : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tableorders <local database file, e.g. build/bin/KVLB.db>\n");
        return 2;
    }
    try {
        LocalDatabase db;
        db.open(args.at(1));
        QSqlDatabase sql = db.database();
        QSqlQuery q(sql);
        if (!sql.transaction())
            throw LocalDbError(sql.lastError().text());

        // Place names are stored counted from 0; orders count from 1.
        for (int p = 0; p < 4; ++p)
            run(q, QStringLiteral("INSERT INTO TBLCNF (FL_NO, TBL_NO, TNAME) SELECT 0, ?, ? WHERE NOT EXISTS "
                                  "(SELECT 1 FROM TBLCNF WHERE FL_NO = 0 AND TBL_NO = ?)"),
                {p, QStringLiteral("테이블%1").arg(p + 1), p});

        const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        struct Line {
            int place;
            const char *code, *name;
            double qty;
            int price;
            const char *memo; // of the item; nullptr for none
        };
        const Line lines[] = {
            {1, "200001", "아메리카노", 2, 4000, "얼음 적게"},
            {1, "100005", "생크림케이크", 1, 25000, nullptr},
            {2, "200002", "카페라떼", 1, 4500, nullptr},
        };
        for (const Line &l : lines) {
            const int item = nextItem(q, 1, l.place);
            run(q, QStringLiteral("INSERT INTO TBLDTL (FL_NO, TBL_NO, POS_NO, ITEM_IDX, ITEM_SEQ, ITEM_CODE, ITEM_NAME,"
                                  " ITEM_PRICE, ITEM_QTY, DV_QTY, TTAMT, ORD_DT) VALUES (1, ?, '01', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {l.place, item, item, QString::fromUtf8(l.code), QString::fromUtf8(l.name), l.price, l.qty,
                 int(l.qty), l.price * l.qty, now});
            if (l.memo)
                run(q, QStringLiteral("INSERT INTO TBLMMO (FL_NO, TBL_NO, POS_NO, SEQ, ITEM_IDX, MMO) VALUES (1, ?, '01', 1, ?, ?)"),
                    {l.place, item, QString::fromUtf8(l.memo)});
        }
        // A memo of the whole place (item 0), once.
        run(q, QStringLiteral("INSERT INTO TBLMMO (FL_NO, TBL_NO, POS_NO, SEQ, ITEM_IDX, MMO) SELECT 1, 2, '01', 1, 0, ?"
                              " WHERE NOT EXISTS (SELECT 1 FROM TBLMMO WHERE FL_NO = 1 AND TBL_NO = 2 AND ITEM_IDX = 0)"),
            {QStringLiteral("창가 자리")});
        if (!sql.commit())
            throw LocalDbError(sql.lastError().text());
        std::printf("3 table orders written to %s\n", qPrintable(args.at(1)));
        return 0;
    } catch (const LocalDbError &e) {
        std::fprintf(stderr, "tableorders: %s\n", qPrintable(e.message()));
        return 1;
    }
}
