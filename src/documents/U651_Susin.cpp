#include "documents/U651_Susin.h"
#include "ui_U651_Susin.h"

#include "Components/MirelComp/MirelMenuBtn.h"
#include "Components/MirelComp/MirelTrnBtn.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "documents/PadPages.h"
#include "documents/SupplierCombos.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ModalWindows.h"

#include <QShowEvent>

#include <stdexcept>

TF651_Susin *F651_Susin = nullptr;

namespace {

constexpr int kColumns = 6;

// First fill, and after a page change.
constexpr PadPictures kPartnerFirst{"btn_box0101_1.PNG", "btn_box0102_1.PNG"};
constexpr PadPictures kPreviousFirst{"btn_box_p0101_1.PNG", "btn_box_p0102_1.PNG"};
constexpr PadPictures kNextFirst{"btn_box_n0101_1.PNG", "btn_box_n0102_1.PNG"};
constexpr PadPictures kPartnerAfter{"btn_box0201_1.PNG", "btn_box0202_1.PNG"};
constexpr PadPictures kPreviousAfter{"btn_box2_n0201_1.PNG", "btn_box2_n0202_1.PNG"};
constexpr PadPictures kNextAfter{"btn_box2_n0101_1.PNG", "btn_box2_n0102_1.PNG"};

} // namespace

TF651_Susin::TF651_Susin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TF651_Susin>())
{
    ui->setupUi(this);
    setFixedSize(579, 378);

    cds_F0100 = new ClientDataSet(this);
    cds_F0100->setObjectName(QStringLiteral("cds_F0100"));
    cds_F0100->setProviderName(QStringLiteral("dspStoredProc1"));
    cds_F0100->setCommandText(QStringLiteral("[GP_SELECT_F0100_RegOrder_Susin_Search]"));
    if (DM)
        cds_F0100->setRemoteServer(DM->ROChannel);

    connect(ui->btn_Close, &TMirelTrnBtn::OnClick, this, [this] { done(2); });
    // A user's click (the mouse-up of the radio button), never a check set by code.
    connect(ui->radio_1, &QRadioButton::clicked, this, &TF651_Susin::radioMouseUp);
    connect(ui->radio_2, &QRadioButton::clicked, this, &TF651_Susin::radioMouseUp);
}

TF651_Susin::~TF651_Susin()
{
    if (F651_Susin == this)
        F651_Susin = nullptr;
}

void TF651_Susin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    CenterOnOwner(this); // on the main form, the window it belongs to
    FormShow();
}

void TF651_Susin::FormShow()
{
    if (CreateMenuButtons())
        StockSusinBtn();
}

bool TF651_Susin::CreateMenuButtons()
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    try {
        QFrame *pad = ui->pnl_Susin;
        pad->setGeometry(pad->x(), 3, pad->width(), 257);
        ui->pnl_DistA->setGeometry(0, pad->height() - 1, pad->width(), 1);
        const int rows = (pad->height() - 4) / 61;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const int index = row * kColumns + column;
                auto *button = new TMirelMenuBtn(pad);
                button->setObjectName(QStringLiteral("btn_MenuA%1").arg(index + 1));
                button->setCaption(QString());
                button->setTag(index);
                button->setGeometry(column * 95 + 3, row * 61 + 2, 93, 57);
                button->setColorForeground(16645629);
                button->setColorLight(8828895);
                button->setColorShadow(6193304);
                button->ItemExtraSwitch1 = false;
                m_buttons.append(button);
                SetPadPictures(button, kPartnerFirst);
                connect(button, &TMirelMenuBtn::OnMouseUp, this,
                        [this, button](QWidget *, Qt::MouseButton b) {
                            if (b == Qt::LeftButton)
                                mmb_TypeAMouseUp(button);
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

void TF651_Susin::LoadSusin()
{
    if (!DM)
        throw std::runtime_error("no data module");
    const bool units = ui->radio_1->isChecked();
    OpenPartnerQuery(*cds_F0100);
    DataSet &vtb = *DM->vtb_Susin;
    if (!vtb.Active())
        vtb.Open();
    vtb.EmptyTable();
    int seq = 0;
    for (cds_F0100->First(); !cds_F0100->Eof(); cds_F0100->Next()) {
        const bool unit = cds_F0100->FieldByName(QStringLiteral("ABADNB")).AsString() == QLatin1String("00000000");
        if (unit == units)
            AppendSusinRow(vtb, *cds_F0100, ++seq);
    }
}

int TF651_Susin::partnerCount() const
{
    if (!DM)
        return 0;
    const DataSet &vtb = *DM->vtb_Susin;
    return vtb.Active() ? vtb.RecordCount() : 0;
}

void TF651_Susin::showPartner(TMirelMenuBtn *button, int position, bool afterPageChange)
{
    SetPadPictures(button, afterPageChange ? kPartnerAfter : kPartnerFirst);
    DataSet &vtb = *DM->vtb_Susin;
    if (position > 0 && vtb.Locate(QStringLiteral("ABSeq"), position)) {
        const QString name = vtb.FieldByName(QStringLiteral("ABSNAM")).AsString();
        button->setCaption(WrapBytes(name, 10));
        button->ItemCode = vtb.FieldByName(QStringLiteral("MYADNB")).AsString();
        if (afterPageChange)
            button->setItemName(name);
    } else {
        button->setCaption(QString());
        button->ItemCode.clear();
        if (afterPageChange)
            button->setItemName(QString());
    }
}

void TF651_Susin::setSlotDown(int slot)
{
    if (slot < 0 || slot >= m_buttons.size())
        return;
    m_buttons[slot]->setDown(true);
    m_code = m_buttons[slot]->ItemCode;
}

void TF651_Susin::StockSusinBtn()
{
    try {
        LoadSusin();
        const int slotCount = int(m_buttons.size());
        if (slotCount < PadSlots)
            return;
        const int rows = partnerCount();
        if (PadPages(slotCount, rows)) {
            MakePadPagingSlot(m_buttons[0], PadPreviousTag, kPreviousFirst);
            MakePadPagingSlot(m_buttons[slotCount - 1], PadNextTag, kNextFirst);
            for (int s = 1; s < slotCount - 1; ++s)
                showPartner(m_buttons[s], PadSlotPosition(slotCount, rows, m_page, s), false);
            setSlotDown(1);
        } else {
            for (int edge : {0, slotCount - 1}) {
                TMirelMenuBtn *neighbour = m_buttons[edge == 0 ? 1 : slotCount - 2];
                m_buttons[edge]->setFontColor(neighbour->FontColor());
                SetPadFontSize(m_buttons[edge], neighbour->font().pointSize());
                m_buttons[edge]->ItemExtraSwitch1 = false;
                m_buttons[edge]->setTag(edge);
            }
            for (int s = 0; s < slotCount; ++s)
                showPartner(m_buttons[s], PadSlotPosition(slotCount, rows, m_page, s), false);
            setSlotDown(0);
        }
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("StockSusinBtn Error."));
    }
}

void TF651_Susin::StockItemsBtn()
{
    try {
        const int slotCount = int(m_buttons.size());
        const int rows = partnerCount();
        if (slotCount < PadSlots || !PadPages(slotCount, rows))
            return;
        for (auto [slot, tag, pictures] : {std::tuple{0, PadPreviousTag, kPreviousAfter},
                                           std::tuple{slotCount - 1, PadNextTag, kNextAfter}}) {
            TMirelMenuBtn *button = m_buttons[slot];
            MakePadPagingSlot(button, tag, pictures);
            button->setItemName(QString());
            button->setItemPrice(0);
            button->ItemCode.clear();
        }
        for (int s = 1; s < slotCount - 1; ++s)
            showPartner(m_buttons[s], PadSlotPosition(slotCount, rows, m_page, s), true);
    } catch (const std::exception &) {
        WriteLog(QStringLiteral("StockItemsBtn Error."));
    }
}

void TF651_Susin::mmb_TypeAMouseUp(TMirelMenuBtn *button)
{
    if (button->ItemExtraSwitch1) {
        if (PadTurnPage(button->Tag(), int(m_buttons.size()), partnerCount(), m_page))
            StockSusinBtn();
        setSlotDown(1);
        StockItemsBtn();
        return;
    }
    if (button->ItemCode.isEmpty())
        return; // a blank slot
    ui->Label2->setText(button->ItemCode);
    m_code = button->ItemCode;
    done(1);
}

void TF651_Susin::radioMouseUp()
{
    if (CreateMenuButtons())
        StockSusinBtn();
}
