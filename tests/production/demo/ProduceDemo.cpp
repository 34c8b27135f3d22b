// Shows production entry against a running head-office server (port given,
// default 9999) with the demo data: 우유식빵 typed as 10 and split into 8
// produced and 2 lost, 커스터드크림 1,500 G below it, the second production
// line chosen, and the first line shown in both quantity edits. Pictures
// come from $RALD_BIN_DIR/img. The window closes by itself after the number
// of seconds given (default 30).

#include "Components/MirelComp/MirelMenuBtn.h"
#include "core/uKV_DataModule.h"
#include "platform/dataset/DataSet.h"
#include "production/U1003_Produce.h"
#include "support/DemoProgram.h"
#include "ui_ItemEntryScreen.h"
#include "ui_U1003_Produce.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace {

TMirelMenuBtn *item(TF1003_Produce &s, const QString &name)
{
    for (TMirelMenuBtn *b : s.ButtonsItems)
        if (b->ItemName2 == name)
            return b;
    return nullptr;
}

// Types digits on the key pad into an edit, emptied first.
void type(TF1003_Produce &s, QLineEdit *edit, const char *digits)
{
    s.edt_MouseUp(edit);
    while (!edit->text().isEmpty())
        s.btn_ghktkfvyClick();
    for (const char *d = digits; *d; ++d)
        s.bntSuMouseUp(*d - '0');
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString port = argc > 1 ? QString(argv[1]) : QStringLiteral("9999");
    const int seconds = argc > 2 ? QString(argv[2]).toInt() : 30;
    StartDemoProgram(port);

    TDM dm;
    DM = &dm;
    dm.SDB_Open();
    dm.StockLoadTypeA();
    dm.LoadTypeB();
    dm.StockLoadItems();

    int result = 0;
    {
        TF1003_Produce s;
        s.show();
        if (TMirelMenuBtn *bread = item(s, QStringLiteral("우유식빵"))) {
            s.mmb_ItemsMouseUp(bread);
            type(s, s.form().edt_Surang1, "10");
            s.btn_OkClick();
        }
        s.btn_MenuClick(TItemEntryScreen::KindSemi);
        s.form().btn_Menu2->setDown(true);
        s.mmb_TypeAMouseUp(s.ButtonsA[1]);
        s.ButtonsA[1]->setDown(true);
        if (TMirelMenuBtn *cream = item(s, QStringLiteral("커스터드크림"))) {
            s.mmb_ItemsMouseUp(cream);
            type(s, s.form().edt_Surang1, "1500");
            s.btn_OkClick();
        }
        QComboBox *line = s.produceForm().combo_SengsangLine;
        line->setCurrentIndex(1);
        emit line->activated(1);
        s.vtb_STOCK->First();
        s.ShowCurrentLine();
        type(s, s.produceForm().edt_Surang2, "2");
        QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
        result = app.exec();
    }
    DM = nullptr;
    return result;
}
