#include "documents/ItemEntryScreen.h"
#include "ui_ItemEntryScreen.h"

#include "Components/MirelComp/MirelDBEdit.h"
#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "core/ClientFilter.h"
#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "documents/DocumentLines.h"
#include "documents/DocumentRights.h"
#include "documents/PadPages.h"
#include "documents/SlipColumns.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/RaldApplication.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTimeEdit>

#include <cmath>
#include <stdexcept>

namespace {

constexpr PadPictures kCategory{"btn_box0101.png", "btn_box0102.png"};
constexpr PadPictures kCategoryPrevious{"btn_box_p0101.png", "btn_box_p0102.png"};
constexpr PadPictures kCategoryNext{"btn_box_n0101.png", "btn_box_n0102.png"};
constexpr PadPictures kItem{"btn_box0201.png", "btn_box0202.png"};
constexpr PadPictures kItemPrevious{"btn_box2_n0201.png", "btn_box2_n0202.png"};
constexpr PadPictures kItemNext{"btn_box2_n0101.png", "btn_box2_n0102.png"};

// A paging slot carries no entry.
void makePagingSlot(TMirelMenuBtn *button, int tag, const PadPictures &pictures)
{
    MakePadPagingSlot(button, tag, pictures);
    button->ItemCode.clear();
    button->ItemName2.clear();
}

// An edge slot of a pad that does not page looks like its neighbour.
void makePlainEdge(TMirelMenuBtn *edge, const TMirelMenuBtn *neighbour, int tag)
{
    edge->setFontColor(neighbour->FontColor());
    SetPadFontSize(edge, neighbour->font().pointSize());
    edge->ItemExtraSwitch1 = false;
    edge->setTag(tag);
}

int filteredRows(const DataSet &cache) { return cache.Active() ? cache.RecordCount() : 0; }

QString F(const char *name) { return QLatin1String(name); }

} // namespace

QString CategoryAFilter(int itemKind)
{
    switch (itemKind) {
    case 1: return QStringLiteral("gbtype = '1' and GKITTY = '3' and GKDJGU = '3' ");
    case 3: return QStringLiteral("gbtype = '2' and (GKITTY = '5' or GKITTY = '6') and GKDJGU = '3' ");
    default: return QStringLiteral("gbtype = '0' and GKITTY = '0' and GKDJGU = '1' ");
    }
}

QString CategoryBFilter(int itemKind, const QString &c)
{
    switch (itemKind) {
    case 1: return "mbtype = '1' and MKGKID = '" + c + "' and MKITTY = '3' and MKDJGU = '3' ";
    case 3: return "mbtype = '2' and MKGKID = '" + c + "' and (MKITTY = '5' or MKITTY = '6') and MKDJGU = '3' ";
    default: return "mbtype = '0' and MKGKID = '" + c + "' and MKITTY = '0' and MKDJGU = '1' ";
    }
}

QString ItemFilter(int itemKind, const QString &a, const QString &b, QString *positionField)
{
    if (itemKind == 0) {
        *positionField = QStringLiteral("IMSEQ2");
        return "(IMPGKI = '" + a + "' and IMPGKI <> '') and (IMPMKI = '" + b
               + "' and IMPMKI <> '') and (IMITTY = '1' or IMITTY = '2') ";
    }
    *positionField = QStringLiteral("IMSEQ");
    const QString common = "(IMSDKI = '" + a + "' and IMSDKI <> '') and (IMSJKI = '" + b + "' and IMSJKI <> '') ";
    return itemKind == 1 ? common + "and IMITTY = '3' " : common + "and (IMITTY = '5' or IMITTY = '6') ";
}

TItemEntryScreen::TItemEntryScreen(int menuTag, QWidget *parent)
    : TWorkScreen(menuTag, parent), ui(std::make_unique<Ui::TItemEntryScreen>())
{
    ui->setupUi(this);
    setFixedSize(ScreenWidth, ScreenHeight);
    bindMenuButton(ui->btn_AllMenuView);

    const QList<TMirelImgBtn *> digitButtons = {ui->btn0, ui->bnt1, ui->btn2, ui->btn3, ui->btn4, ui->btn5, ui->btn6, ui->btn7, ui->btn8, ui->btn9};
    ui->btn_Menu9->hide(); // members that save with it show it
    LimitTypedLength(ui->edt_Surang1, 5);

    vtb_STOCK = new DataSet(this);
    vtb_STOCK->setObjectName(QStringLiteral("vtb_STOCK"));

    cds_BicgoAll = new ClientDataSet(this);
    cds_BicgoAll->setObjectName(QStringLiteral("cds_BicgoAll"));
    cds_BicgoAll->setProviderName(QStringLiteral("dspStoredProc7"));
    cds_BicgoAll->setCommandText(QStringLiteral("[GP_SELECT_MAXNUMBER]"));
    cds_StockItems = new ClientDataSet(this);
    cds_StockItems->setObjectName(QStringLiteral("cds_StockItems"));
    cds_StockItems->setProviderName(QStringLiteral("dspStoredProc5"));
    cds_StockItems->setCommandText(QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]"));
    if (DM) {
        cds_BicgoAll->setRemoteServer(DM->ROChannel);
        cds_StockItems->setRemoteServer(DM->ROChannel);
    }
    m_number = std::make_unique<DocumentNumber>(*cds_BicgoAll);

    vtb_STOCK->BeforePost = [this](DataSet &ds) {
        const Field *price = ds.FindField(AmountPriceField());
        const Currency unit = price ? price->AsCurrency() : Currency();
        ds.FieldByName(F("ADAMT")).setAsCurrency(unit * Currency::fromDouble(ds.FieldByName(F("ADQTY")).AsFloat()));
    };
    vtb_STOCK->AfterPost = [this](DataSet &) { RecomputeTotals(); };

    connect(ui->btn_Close, &TMirelImgBtn::OnClick, this, [this] { btn_CloseClick(); });
    connect(ui->btn_Minimize, &TMirelImgBtn::OnClick, this, [] {
        if (QWidget *w = QApplication::activeWindow())
            w->showMinimized();
    });
    connect(ui->btn_Ok, &TMirelImgBtn::OnClick, this, [this] { btn_OkClick(); });
    connect(ui->btn_Del, &TMirelImgBtn::OnClick, this, [this] { btn_DelClick(); });
    connect(ui->btn_AllDel, &TMirelImgBtn::OnClick, this, [this] { btn_AllDelClick(); });
    connect(ui->btnJem, &TMirelImgBtn::OnClick, this, [this] { btnJemClick(); });
    connect(ui->btn_ghktkfvy, &TMirelImgBtn::OnClick, this, [this] { btn_ghktkfvyClick(); });
    connect(ui->btn_Danui1, &TMirelMenuBtn::OnClick, this, [this] { btn_Danui1Click(); });
    connect(ui->btn_JepumSearch, &TMirelImgBtn::OnClick, this, [this] { btn_JepumSearchClick(); });
    for (TMirelImgBtn *digit : digitButtons)
        connect(digit, &TMirelImgBtn::OnMouseUp, this, [this, digit] { bntSuMouseUp(digit->Tag()); });
    for (TMirelImgBtn *b : {ui->btn_Menu1, ui->btn_Menu2, ui->btn_Menu4, ui->btn_Menu5, ui->btn_Menu6, ui->btn_Menu8, ui->btn_Menu9, ui->btn_Menu10,
                            ui->btn_Menu11})
        connect(b, &TMirelImgBtn::OnClick, this, [this, b] { btn_MenuClick(b->Tag()); });
    connect(ui->mgd_StockItemsUp, &TMirelImgBtn::OnClick, this, [this] {
        ui->mgd_StockItems->setFocus();
        if (vtb_STOCK->Active())
            vtb_STOCK->MoveBy(-10);
    });
    connect(ui->mgd_StockItemsDown, &TMirelImgBtn::OnClick, this, [this] {
        ui->mgd_StockItems->setFocus();
        if (vtb_STOCK->Active())
            vtb_STOCK->MoveBy(10);
    });
    ui->edt_Surang1->installEventFilter(this);
    ui->edt_JepumSearch->installEventFilter(this);
    ui->mgd_StockItems->viewport()->installEventFilter(this);
}

TItemEntryScreen::~TItemEntryScreen() = default;

bool TItemEntryScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && IsKeypadTarget(edit))
            edt_Enter(edit);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == ui->edt_JepumSearch) {
            if (SelectSearchTextOnTouch())
                ui->edt_JepumSearch->selectAll();
        } else if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && IsKeypadTarget(edit))
            edt_MouseUp(edit);
        else if (watched == ui->mgd_StockItems->viewport())
            mgd_StockItemsMouseUp();
    }
    return TWorkScreen::eventFilter(watched, event);
}

QList<FieldDef> TItemEntryScreen::BasketFields() const { return ItemEntryBasketFields(); }

QList<FieldDef> ItemEntryBasketFields()
{
    using T = FieldType;
    return {{F("ADSEQ"), T::Integer},     {F("IMITNB"), T::String, 6},  {F("IMITTY"), T::String, 4},
            {F("ADBDAN"), T::String, 3},  {F("ADMDAN"), T::String, 3},  {F("ADLDAN"), T::String, 3},
            {F("ADMCAL"), T::Float},      {F("ADMQTY"), T::Float},      {F("ADSQTY"), T::Float},
            {F("IMNAME"), T::String, 50}, {F("ADUNIT"), T::String, 3},  {F("Ttt"), T::String, 3},
            {F("REPTQTY"), T::Float},     {F("JrADQTY"), T::Float},     {F("ADQTY"), T::Float},
            {F("ADUPRC"), T::Integer},    {F("ADUPRC2"), T::Integer},   {F("ADUPRC000"), T::Integer},
            {F("ADUPRC001"), T::Integer}, {F("IMPGKI"), T::String, 3},  {F("IMPMKI"), T::String, 3},
            {F("IMSDKI"), T::String, 3},  {F("IMSJKI"), T::String, 3},  {F("ADAMT"), T::Currency},
            {F("SUSUM"), T::Integer},     {F("BDFL"), T::Boolean},      {F("SDFL"), T::Boolean},
            {F("bigo"), T::String, 20},   {F("sss"), T::Integer},       {F("SonsilSu"), T::Float},
            {F("SonPlusIlSu"), T::Float}};
}

void TItemEntryScreen::SetupGridColumns()
{
    AddBasketColumns({{"ADSEQ", "No", 39, true},
                      {"IMNAME", "품명", 323},
                      {"ADQTY", "수량", 57},
                      {"ADUNIT", "단위", 43, true},
                      {"ADAMT", "합계", 60, false, false},
                      {"bigo", "비고", 53},
                      {"sss", "부가세여부코드", 30}});
}

void TItemEntryScreen::AddBasketColumns(std::initializer_list<BasketColumn> columns)
{
    for (const BasketColumn &c : columns) {
        TColumn *column = AddGridColumn(ui->mgd_StockItems, QLatin1String(c.field), QString::fromUtf8(c.title), c.width);
        column->setVisible(c.visible);
        if (c.centred)
            column->setAlignment(Qt::AlignCenter);
    }
}

void LimitTypedLength(QLineEdit *edit, int length)
{
    edit->setMaxLength(32767); // QLineEdit cuts even a text the program sets
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,%1}").arg(length)), edit));
}

void TItemEntryScreen::showEvent(QShowEvent *event)
{
    TWorkScreen::showEvent(event);
    if (FirstShow(event))
        FormShow();
}

void TItemEntryScreen::FormShow()
{
    // FormCreate's part: the basket opens with the member's fields.
    if (!vtb_STOCK->Active()) {
        vtb_STOCK->AddFields(BasketFields());
        vtb_STOCK->Open();
        if (Field *amount = vtb_STOCK->FindField(F("ADAMT")))
            amount->setDisplayFormat(QStringLiteral("#,##0.##"));
        ui->mgd_StockItems->setDataSource(vtb_STOCK);
        SetupGridColumns();
    }
    MenuViewState = QStringLiteral("0");
    HideSaleTabs();
    CreateMenuButtons();
    StockTypeABtn();
    StockTypeBBtn();
    StockItemsBtn();
    ui->mgd_StockItems->setFocus();
    ui->btn_Menu1->setDown(true);
    ResetWantDate();
}

void TItemEntryScreen::closeEvent(QCloseEvent *event)
{
    FreeMenuButtons();
    TWorkScreen::closeEvent(event);
}

void TItemEntryScreen::ResetWantDate()
{
    const QDateTime now = os::Now();
    ui->date_Wantdate->setDate(now.date());
    ui->time_Wanttime->setTime(now.time());
}

bool TItemEntryScreen::CreateMenuButtons()
{
    FreeMenuButtons();
    try {
        auto makeCategoryPad = [this](QFrame *pad, QFrame *divider, int top, const char *prefix, int group,
                                      QList<TMirelMenuBtn *> &buttons, bool isA) {
            pad->setGeometry(pad->x(), top, pad->width(), 154);
            divider->setGeometry(0, pad->height() - 1, pad->width(), 1);
            for (int k = 0; k < CategorySlots; ++k) {
                const int row = k / 5, column = k % 5;
                auto *button = new TMirelMenuBtn(pad);
                button->setObjectName(QLatin1String(prefix) + QString::number(k + 1));
                button->setGeometry(column * 97 + 3, row * 76 + 2, 93, 72);
                button->setTag(k);
                button->setCaption(QString());
                button->ItemExtraSwitch1 = false;
                button->setColorForeground(16645629);
                button->setColorLight(8828895);
                button->setColorShadow(6193304);
                button->setGroupIndex(group);
                buttons.append(button);
                SetPadPictures(button, kCategory);
                connect(button, &TMirelMenuBtn::OnMouseUp, this, [this, button, isA](QWidget *, Qt::MouseButton b) {
                    if (b != Qt::LeftButton)
                        return;
                    isA ? mmb_TypeAMouseUp(button) : mmb_TypeBMouseUp(button);
                });
                button->show();
            }
        };
        makeCategoryPad(ui->pnl_TypeA, ui->pnl_DistA, 3, "btn_MenuA", 901, ButtonsA, true);
        makeCategoryPad(ui->pnl_TypeB, ui->pnl_DistB, ui->pnl_TypeA->height() + 3, "btn_MenuB", 902, ButtonsB,
                        false);

        QFrame *items = ui->pnl_Items;
        const int height = items->height();
        ItemRows = (height - 4) / 76;
        if (ItemRows > 0) {
            const int buttonHeight = (height - 4) / ItemRows - 4;
            const int offset = ((height - 4) % ItemRows) / 2;
            const QFont font = ItemButtonFont();
            for (int index = 0; index < ItemRows * 5; ++index) {
                const int row = index / 5, column = index % 5;
                auto *button = new TMirelMenuBtn(items);
                button->setObjectName(QStringLiteral("btn_Items%1").arg(index + 1));
                button->setGeometry(column * 97 + 3, row * (buttonHeight + 4) + offset + 2, 93, buttonHeight);
                button->setTag(index);
                button->setColorForeground(16645629);
                button->setColorLight(12698049);
                button->setColorShadow(12698049);
                button->setFont(font);
                button->setFontColor(255); // red
                ButtonsItems.append(button);
                SetPadPictures(button, kItem);
                connect(button, &TMirelMenuBtn::OnMouseUp, this, [this, button](QWidget *, Qt::MouseButton b) {
                    if (b == Qt::LeftButton)
                        mmb_ItemsMouseUp(button);
                });
                button->show();
            }
        }
        return true;
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("Item버튼 생성 실패."));
        return false;
    }
}

bool TItemEntryScreen::FreeMenuButtons()
{
    try {
        for (QList<TMirelMenuBtn *> *list : {&ButtonsA, &ButtonsB, &ButtonsItems}) {
            qDeleteAll(*list);
            list->clear();
        }
        return true;
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("Item버튼 삭제 실패."));
        return false;
    }
}

bool TItemEntryScreen::fillCategoryPad(QList<TMirelMenuBtn *> &buttons, DataSet &cache, const QString &filter,
                                       const char *position, const char *nameField, const char *codeField, int page,
                                       QString &code)
{
    if (buttons.size() < CategorySlots)
        return true;
    ApplyClientFilter(cache, filter);
    const int rows = filteredRows(cache);
    const bool paging = PadPages(CategorySlots, rows);
    if (paging) {
        makePagingSlot(buttons[0], PadPreviousTag, kCategoryPrevious);
        makePagingSlot(buttons[CategorySlots - 1], PadNextTag, kCategoryNext);
    } else {
        makePlainEdge(buttons[0], buttons[1], 0);
        makePlainEdge(buttons[CategorySlots - 1], buttons[CategorySlots - 2], CategorySlots - 1);
    }
    for (int s = paging ? 1 : 0; s < (paging ? CategorySlots - 1 : CategorySlots); ++s) {
        TMirelMenuBtn *button = buttons[s];
        SetPadPictures(button, kCategory);
        const int pos = PadSlotPosition(CategorySlots, rows, page, s);
        if (pos > 0 && cache.Locate(QLatin1String(position), pos)) {
            button->setCaption(WrapBytes(cache.FieldByName(QLatin1String(nameField)).AsString(), 10));
            button->ItemCode = cache.FieldByName(QLatin1String(codeField)).AsString();
        } else {
            button->setCaption(QString());
            button->ItemCode.clear();
        }
    }
    const int pressed = paging ? 1 : 0;
    buttons[pressed]->setDown(true);
    code = buttons[pressed]->ItemCode;
    return true;
}

bool TItemEntryScreen::StockTypeABtn()
{
    try {
        if (!DM)
            throw std::runtime_error("no data module");
        return fillCategoryPad(ButtonsA, *DM->vtb_SCITK1, CategoryAFilter(ItemKind), "GKSEQ1", "GKNAME", "GKGKID",
                               PageA, CodeA);
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("StockTypeABtn Error."));
        return false;
    }
}

bool TItemEntryScreen::StockTypeBBtn()
{
    try {
        if (!DM)
            throw std::runtime_error("no data module");
        return fillCategoryPad(ButtonsB, *DM->vtb_SCITK2, CategoryBFilter(ItemKind, CodeA), "MKSEQ1", "MKNAME",
                               "MKMKID", PageB, CodeB);
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("StockTypeBBtn Error."));
        return false;
    }
}

QString TItemEntryScreen::SearchFilter() const
{
    return QStringLiteral(" (IMITTY = '1' or IMITTY = '2' or IMITTY = '3' or IMITTY = '5' or IMITTY = '6') ");
}

QFont TItemEntryScreen::ItemButtonFont() const
{
    QFont font(QStringLiteral("굴림"), 12);
    font.setBold(true);
    return font;
}

void TItemEntryScreen::showItem(TMirelMenuBtn *button, int position, const QString &positionField)
{
    DataSet &cache = *DM->vtb_SCITM;
    SetPadPictures(button, kItem);
    if (position > 0 && cache.Locate(positionField, position)) {
        auto text = [&cache](const char *name) { return cache.FieldByName(QLatin1String(name)).AsString(); };
        button->setCaption(WrapBytes(text("IMNAME"), 10) + QStringLiteral("\r\n") + text("IMMDAN") + "/"
                           + text("IMMCAL") + text("IMLDAN"));
        button->setItemPrice3(double(cache.FieldByName(F("MHEPRI")).AsCurrency().Round()));
        button->ItemNick = text("IMLDAN");
        button->ItemBarCode = text("IMBDAN");
        button->ItemCookType = text("IMMDAN");
        button->ItemCombineCode = cache.FieldByName(F("IMMCAL")).AsInteger();
        button->ItemVATON = cache.FieldByName(F("IMBDFL")).AsBoolean();
        button->ItemIncludeVatYN = cache.FieldByName(F("IMSDFL")).AsBoolean();
        button->ItemCode = text("IMITNB");
        button->ItemName2 = text("IMNAME");
    } else {
        button->setCaption(QString());
        button->setItemPrice3(0);
        button->ItemCode.clear();
        button->ItemName2.clear();
        button->ItemNick.clear();
        button->ItemBarCode.clear();
        button->ItemCookType.clear();
        button->ItemCombineCode = 0;
    }
}

bool TItemEntryScreen::StockItemsBtn()
{
    if (ItemRows < 1)
        return true;
    try {
        if (!DM)
            throw std::runtime_error("no data module");
        DataSet &cache = *DM->vtb_SCITM;
        QString positionField;
        if (!ui->edt_JepumSearch->text().isEmpty()) {
            positionField = QStringLiteral("IMSEQ9");
            ApplyClientFilter(cache, SearchFilter());
        } else {
            ApplyClientFilter(cache, ItemFilter(ItemKind, CodeA, CodeB, &positionField));
        }
        const int slotCount = int(ButtonsItems.size());
        const int rows = filteredRows(cache);
        const bool paging = PadPages(slotCount, rows);
        if (paging) {
            makePagingSlot(ButtonsItems[0], PadPreviousTag, kItemPrevious);
            makePagingSlot(ButtonsItems[slotCount - 1], PadNextTag, kItemNext);
            ButtonsItems[0]->setItemPrice3(0);
            ButtonsItems[slotCount - 1]->setItemPrice3(0);
        } else {
            makePlainEdge(ButtonsItems[0], ButtonsItems[1], 0);
            makePlainEdge(ButtonsItems[slotCount - 1], ButtonsItems[slotCount - 2], slotCount - 1);
        }
        for (int s = paging ? 1 : 0; s < (paging ? slotCount - 1 : slotCount); ++s)
            showItem(ButtonsItems[s], PadSlotPosition(slotCount, rows, PageItems, s), positionField);
        return true;
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("StockItemsBtn Error."));
        return false;
    }
}

// A touch on a category pad (A or B). A paging slot turns the pad's page when
// it can (the pages below restart and the pad is filled again) and chooses
// the page's first category; a category button with a code chooses it (the
// pages below restart). False for a blank button: nothing follows.
bool TItemEntryScreen::touchCategory(TMirelMenuBtn *button, bool padA)
{
    int &page = padA ? PageA : PageB;
    const auto restartPagesBelow = [&] {
        if (padA)
            PageB = 0;
        PageItems = 0;
    };
    if (button->ItemExtraSwitch1) {
        const DataSet &cache = padA ? *DM->vtb_SCITK1 : *DM->vtb_SCITK2;
        if (PadTurnPage(button->Tag(), CategorySlots, filteredRows(cache), page)) {
            restartPagesBelow();
            padA ? StockTypeABtn() : StockTypeBBtn();
        }
        TMirelMenuBtn *first = (padA ? ButtonsA : ButtonsB)[1];
        first->setDown(true);
        (padA ? CodeA : CodeB) = first->ItemCode;
        return true;
    }
    if (button->ItemCode.isEmpty())
        return false;
    restartPagesBelow();
    (padA ? CodeA : CodeB) = button->ItemCode;
    return true;
}

void TItemEntryScreen::mmb_TypeAMouseUp(TMirelMenuBtn *button)
{
    if (!touchCategory(button, true))
        return;
    StockTypeBBtn();
    StockItemsBtn();
}

void TItemEntryScreen::mmb_TypeBMouseUp(TMirelMenuBtn *button)
{
    if (touchCategory(button, false))
        StockItemsBtn();
}

void TItemEntryScreen::mmb_ItemsMouseUp(TMirelMenuBtn *button)
{
    if (button->ItemExtraSwitch1) {
        if (PadTurnPage(button->Tag(), int(ButtonsItems.size()), filteredRows(*DM->vtb_SCITM), PageItems))
            StockItemsBtn();
        return;
    }
    if (button->ItemCode.isEmpty())
        return;
    DataSet &cache = *DM->vtb_SCITM;
    const QString kind = cache.Locate(F("IMITNB"), button->ItemCode) ? cache.FieldByName(F("IMITTY")).AsString()
                                                                      : QString();
    RegItemStock(button->ItemCode, button->ItemName2, button->ItemNick, button->ItemCookType,
                 button->ItemCombineCode, button->ItemVATON, button->ItemIncludeVatYN, 1, kind, button->ItemPrice3());
}

void TItemEntryScreen::SetItemKind(int kind)
{
    ItemKind = kind;
    StockTypeABtn();
    StockTypeBBtn();
    StockItemsBtn();
}

bool TItemEntryScreen::StockLoadItems()
{
    try {
        if (!DM || !DM->vtb_SCITM->Active())
            return true;
        cds_StockItems->Close();
        cds_StockItems->Params().CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(MyConfig.CompanyCode);
        cds_StockItems->Params().CreateParam(FieldType::String, QStringLiteral("A_BUUT")).setAsString(MyConfig.StoreCode);
        cds_StockItems->Params().CreateParam(FieldType::String, QStringLiteral("A_NAME")).setAsString(ui->edt_JepumSearch->text().left(100));
        cds_StockItems->Open();
        // The same copy as the start-up load, MHEPRI included: production
        // costs its lines with it.
        TDM::CopyRowsIntoCache(*cds_StockItems, *DM->vtb_SCITM);
        cds_StockItems->Close();
        return true;
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("StockLoadItems Error."));
        return false;
    }
}

void TItemEntryScreen::btn_JepumSearchClick()
{
    StockLoadItems();
    StockItemsBtn();
}

bool TItemEntryScreen::RegItemStock(const QString &code, const QString &name, const QString &unit,
                                    const QString &middleUnit, int unitFactor, bool vatOn, bool includeVat,
                                    double quantity, const QString &kind, double itemPrice)
{
    try {
        DataSet &b = *vtb_STOCK;
        if (b.Locate(F("IMITNB"), code)) {
            b.Edit();
            b.FieldByName(F("ADQTY")).setAsFloat(std::round(b.FieldByName(F("ADQTY")).AsFloat()) + 1);
            b.Post();
        } else {
            const int count = b.RecordCount();
            b.Last();
            b.Append();
            b.FieldByName(F("IMITNB")).setAsString(code);
            b.FieldByName(F("ADSEQ")).setAsInteger(count + 1);
            b.FieldByName(F("IMNAME")).setAsString(name);
            b.FieldByName(F("ADUNIT")).setAsString(unit);
            const QString word = ItemTypeWord(kind);
            b.FieldByName(F("IMITTY")).setAsString(word == kind ? QString() : word);
            b.FieldByName(F("ADMDAN")).setAsString(middleUnit);
            b.FieldByName(F("ADMCAL")).setAsFloat(unitFactor);
            b.FieldByName(F("ADLDAN")).setAsString(unit);
            b.FieldByName(F("ADQTY")).setAsFloat(quantity);
            b.FieldByName(F("BDFL")).setAsBoolean(vatOn);
            b.FieldByName(F("SDFL")).setAsBoolean(includeVat);
            NewLineFields(b, itemPrice);
            b.Post();
        }
        ui->btn_Danui1->setDown(true);
        ShowCurrentLine();
        ui->edt_Surang1->selectAll();
        return true;
    } catch (const std::exception &) {
        if (vtb_STOCK->State() != DataSetState::Browse)
            vtb_STOCK->Cancel();
        WriteLog(QStringLiteral("RegItemStock Error."));
        return false;
    }
}

bool TItemEntryScreen::ShowCurrentLine()
{
    try {
        DataSet &b = *vtb_STOCK;
        if (!b.Active() || b.RecordCount() == 0)
            return true;
        ui->btn_Danui1->setCaption(QString::number(b.FieldByName(F("ADMCAL")).AsFloat(), 'g', 15) + " "
                               + b.FieldByName(F("ADLDAN")).AsString());
        const QString quantity = QString::number(b.FieldByName(F("ADQTY")).AsFloat(), 'g', 15);
        ui->edt_Surang1->setText(quantity);
        ui->Edit9->setText(quantity);
        const QString unit = b.FieldByName(F("ADUNIT")).AsString();
        if (!unit.isEmpty()) {
            ui->Edit6->setText(unit);
            ui->Label7->setText(unit);
        }
        ShowCurrentLineExtra();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void TItemEntryScreen::RecomputeTotals()
{
    Currency total;
    DataSet &b = *vtb_STOCK;
    for (int row = 0; row < b.rowCount(); ++row) {
        DataSet::RowScope scope(b, row);
        total += b.FieldByName(F("ADAMT")).AsCurrency();
    }
    StockTotal = total;
    ui->edt_StockSum->setText(FormatAmount(Currency(StockTotal.Trunc())));
}

void TItemEntryScreen::DeleteLinesWhere(const std::function<bool(DataSet &)> &drop)
{
    DataSet &b = *vtb_STOCK;
    {
        const ControlsOff quiet(b);
        b.First();
        while (!b.Eof()) {
            if (drop(b))
                b.Delete();
            else
                b.Next();
        }
    }
    RenumberLines();
}

void TItemEntryScreen::RenumberLines()
{
    DataSet &b = *vtb_STOCK;
    const Bookmark current = b.GetBookmark();
    {
        const ControlsOff quiet(b);
        int seq = 0;
        for (b.First(); !b.Eof(); b.Next()) {
            ++seq;
            if (b.FieldByName(F("ADSEQ")).AsInteger() != seq) {
                b.Edit();
                b.FieldByName(F("ADSEQ")).setAsInteger(seq);
                b.Post();
            }
        }
    }
    if (b.BookmarkValid(current))
        b.GotoBookmark(current);
}

// --- key pad ---

void TItemEntryScreen::edt_Enter(QLineEdit *edit) { KeypadTarget = edit; }

void TItemEntryScreen::edt_MouseUp(QLineEdit *edit)
{
    KeypadTarget = edit;
    KeypadState = QStringLiteral("0");
    edit->selectAll();
}

void TItemEntryScreen::bntSuMouseUp(int digit)
{
    if (!KeypadTarget || !IsKeypadTarget(KeypadTarget))
        return;
    QLineEdit *t = KeypadTarget;
    const QString d = QString::number(digit);
    if (KeypadState == QLatin1String("0")) {
        t->deselect();
        bool ok = false;
        const qint64 value = t->text().toLongLong(&ok);
        t->setText(QString::number((ok ? value : 0) * 10 + digit));
    } else if (KeypadState == QLatin1String("1")) {
        t->setText(t->text() + "." + d);
        KeypadState = QStringLiteral("2");
    } else if (KeypadState == QLatin1String("2")) {
        t->setText(t->text() + d);
    } else {
        return;
    }
    AfterDigit(t);
}

void TItemEntryScreen::btnJemClick() { KeypadState = QStringLiteral("1"); }

void TItemEntryScreen::btn_ghktkfvyClick()
{
    if (!KeypadTarget)
        return;
    if (KeypadState == QLatin1String("0") || KeypadState == QLatin1String("2"))
        KeypadTarget->setText(KeypadTarget->text().chopped(KeypadTarget->text().isEmpty() ? 0 : 1));
}

void TItemEntryScreen::btn_OkClick()
{
    DataSet &b = *vtb_STOCK;
    if (!b.Active() || b.RecordCount() == 0)
        return;
    if (!OkAllowed())
        return;
    b.Edit();
    bool ok = false;
    const double quantity = ui->edt_Surang1->text().toDouble(&ok);
    b.FieldByName(F("ADQTY")).setAsFloat(ok ? quantity : 0);
    if (ui->Edit6->text() == b.FieldByName(F("ADLDAN")).AsString())
        b.FieldByName(F("ADUNIT")).setAsString(ui->Edit6->text());
    OkLineFields(b);
    b.Post();
    b.Next();
    ShowCurrentLine();
    KeypadState = QStringLiteral("0");
    ui->edt_Surang1->setFocus();
    ui->edt_Surang1->selectAll();
}

void TItemEntryScreen::btn_Danui1Click()
{
    const QString state = ui->lab_BanpumNeyek->text();
    if (state == QStringLiteral("입고 진행중") || state == QStringLiteral("출고 진행중"))
        return;
    if (vtb_STOCK->RecordCount() == 0)
        return;
    const QString unit = vtb_STOCK->FieldByName(F("ADLDAN")).AsString();
    ui->Label7->setText(unit);
    ui->Edit6->setText(unit);
}

void TItemEntryScreen::mgd_StockItemsMouseUp()
{
    if (vtb_STOCK->Active() && vtb_STOCK->RecordCount() > 0)
        ShowCurrentLine();
}

// --- deleting and resetting ---

bool TItemEntryScreen::IsKeypadTarget(QLineEdit *edit) const { return edit == ui->edt_Surang1; }

void TItemEntryScreen::ClearEntryFields()
{
    ui->lab_BanpumNeyek->clear();
    ui->edt_StockSum->clear();
    ui->Label7->clear();
    ui->Edit6->clear();
    ui->edt_Surang1->clear();
    ui->btn_Danui1->setCaption(QString());
    ui->btn_Danui1->setDown(false);
}

void TItemEntryScreen::ResetBasket(bool keepReloadFields)
{
    vtb_STOCK->EmptyTable();
    ClearEntryFields();
    if (!keepReloadFields) {
        ui->Edit30->clear();
        ui->Edit31->clear();
    }
    KeypadState = QStringLiteral("0");
    m_number->completed();
    ui->Edit3->setText(QStringLiteral("0"));
    RecomputeTotals();
}

void TItemEntryScreen::btn_DelClick()
{
    DataSet &b = *vtb_STOCK;
    if (!b.Active() || b.RecordCount() == 0) {
        ResetBasket(false);
        return;
    }
    const int position = b.RecNo();
    b.Delete();
    RenumberLines();
    if (b.RecordCount() > 0)
        b.setRecNo(qMin(position, b.RecordCount()));
    ShowCurrentLine();
    RecomputeTotals();
}

void TItemEntryScreen::btn_AllDelClick()
{
    if (vtb_STOCK->RecordCount() == 0)
        return;
    if (AskMessageBox(QStringLiteral("전체삭제 하시겠습니까?"), mkOkCancel) == mrYes)
        ResetBasket(false);
}

void TItemEntryScreen::btn_CloseClick()
{
    if (ConfirmClose(vtb_STOCK->RecordCount()))
        done(CloseResult);
}

// --- dispatcher ---

void TItemEntryScreen::btn_MenuClick(int tag)
{
    try {
        if (KindTags().contains(tag)) {
            SetItemKind(tag == KindProducts ? 0 : tag == KindSemi ? 1 : 3);
            return;
        }
        switch (tag) {
        case TagReload:
            ReloadEntry();
            break;
        case TagPrint:
            PrintEntryReceipt();
            break;
        case TagDelete:
            DeleteEntry();
            break;
        default:
            MemberAction(tag);
            break;
        }
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    }
}

// --- saving ---

void TItemEntryScreen::SaveEntry()
{
    const QDate date = ui->date_Wantdate->date();
    const QString month = date.toString(QStringLiteral("yyyyMM"));
    const qint64 number = m_number->numberFor(DocumentKind(), month);
    ui->Edit3->setText(QString::number(number));
    if (vtb_STOCK->RecordCount() == 0)
        return; // the number stays held for this month's next save
    SaveSteps(number, month, date);
    m_number->completed();
    SavedNumb = QString::number(number);
    SavedTime = QDateTime(date, ui->time_Wanttime->time());
    ResetBasket(true);
}

// --- slip ---

QStringList EntrySlipFrame(const QString &title, const QString &timeLabel, const QStringList &body, bool thanksLine)
{
    QStringList out;
    const QChar esc(0x1B);
    out << QString(esc) + "!" + QChar(0x10) + PadCenter(title, 42) + esc + "!" + QChar(0x00);
    out << QString();
    out << PadRight(timeLabel + os::Now().toString(QStringLiteral("yyyy-MM-dd HH:mm")), 42);
    out << QString(42, QLatin1Char('='));
    out << body;
    out << QString(42, QLatin1Char('='));
    if (thanksLine)
        out << PadCenter(QStringLiteral("**  감 사 합 니 다 **"), 42);
    return out;
}

QStringList TItemEntryScreen::SlipFrame(const QList<SlipLine> &lines) const
{
    return EntrySlipFrame(SlipTitle(), SlipTimeLabel(), SlipBody(lines), SlipThanksLine());
}

QStringList TItemEntryScreen::SlipBody(const QList<SlipLine> &lines) const
{
    QStringList out;
    const QChar layout = MyConfig.PrintStockPrice;
    if (layout == QLatin1Char('0') || layout == QLatin1Char('1') || layout == QLatin1Char('2')) {
        out << QStringLiteral("제품명                         수량       ");
        out << QString(42, QLatin1Char('-'));
        for (const SlipLine &line : lines)
            out << SlipRow({SlipText(line.name, 27), SlipNumber(SlipQuantity(line.quantity), 8),
                            SlipNumber(line.unit, 7)});
    }
    return out;
}

bool TItemEntryScreen::PrintEntryReceipt()
{
    if (!HasSavedEntry()) {
        ShowMessageBox(NoEntryNotice(), mkNotice, 2000);
        return true;
    }
    const QList<SlipLine> lines = ReadSavedEntry(SavedNumb, SavedTime); // a server error propagates
    if (MyConfig.pcprst == QLatin1String("1")) {
        QStringList frame;
        if (!RunLogged(SlipErrorLog(), [&] {
            frame = SlipFrame(lines);
        }))
            return false;
        if (ReceiptPrintThread) {
            ReceiptPrintThread->Copies = 1;
            ReceiptPrintThread->Print(frame);
            ReceiptPrintThread->PrintRequested = true;
        }
    }
    // Lines typed since the last save are not the printed entry: they stay.
    if (vtb_STOCK->RecordCount() == 0)
        ResetBasket(false);
    return true;
}

// --- reload ---

void TItemEntryScreen::ReloadEntry()
{
    QString month, number;
    QDate date;
    if (RunReloadPicker(month, number, date))
        TakeOverLines(ReloadStateText(), month, number, date);
}

bool TItemEntryScreen::TakeOverLines(const QString &stateText, const QString &month, const QString &number,
                                     const QDate &date)
{
    DataSet &b = *vtb_STOCK;
    DeleteLinesWhere([](DataSet &line) { return line.FieldByName(F("ADQTY")).AsFloat() <= -1; });
    b.First();
    RecomputeTotals();
    if (b.RecordCount() == 0)
        return false;
    ui->lab_BanpumNeyek->setText(stateText);
    ui->Edit30->setText(month);
    ui->Edit31->setText(number);
    ui->Edit33->setText(date.toString(QStringLiteral("yyyyMMdd")));
    ShowCurrentLine();
    return true;
}
