#pragma once
// The document history shown against the suite's in-process head-office
// server, driven by component name: a fresh screen for every test, and the
// few ways the tests touch it.

#include "inquiries/U656_StockDetail.h"

#include "Components/MirelComp/MirelGrid.h"
#include "DocumentsFixture.h"
#include "platform/os/Keys.h"
#include "shell/ShellTestUtil.h"

#include <QApplication>

class HistoryScreenSuite : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        w = std::make_unique<TF656_StockDetail>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
        server().clearCalls();
    }

    void TearDown() override
    {
        w.reset();
        os::ResetHeldModifiers();
        DocumentsSuite::TearDown();
    }

    QWidget *control(const char *name) const
    {
        QWidget *c = w->findChild<QWidget *>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    // Touches a data row of a grid.
    void touchRow(const char *grid, int row)
    {
        auto *g = qobject_cast<TMirelGrid *>(control(grid));
        const QRect r = g->CellRect(0, row);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.translated(-g->viewport()->pos()).center());
    }

    // The rows of a data set's view as "a|b|..." of the fields given.
    static QStringList rows(DataSet &ds, const QStringList &fields)
    {
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r) {
            DataSet::RowScope scope(ds, r);
            QStringList cells;
            for (const QString &f : fields)
                cells << ds.FieldByName(f).AsString();
            out << cells.join(u'|');
        }
        return out;
    }
    static QStringList rows(DataSet &ds, const QString &a, const QString &b) { return rows(ds, QStringList{a, b}); }

    std::unique_ptr<TF656_StockDetail> w;
};
