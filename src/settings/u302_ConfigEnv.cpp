#include "settings/u302_ConfigEnv.h"
#include "ui_u302_ConfigEnv.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelTable.h"
#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "core/uKV_DataModule.h"
#include "settings/u302_ConfigLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTableWidget>
#include <QTimeEdit>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

TF302_ConfigEnv *F302_ConfigEnv = nullptr;

namespace {

// How a control and a field of the record meet (load direction / save direction).
enum class Conv {
    Show,          // text into the edit; never written back
    Text,          // text both ways; a list element shows a cleared element as
                   // empty and keeps it while the edit stays empty
    Int,           // decimal text; back as an integer, 0 for a text that is no number
    IntStrict,     // the same, but a text that is no number is refused
    Ratio,         // "0.00"; back as a decimal, 0 for a text that is no number
    Bool,          // check box ticked
    VatButtons,    // btn_IncludeVat1 down, btn_IncludeVat2 the opposite
    Code,          // one-character digit = item index (an unreadable code shows item 0)
    LoginPosition, // "1" first item, "2" second
    NextDay,       // "1" first item, anything else the second; back "1" / "2"
    ItemNumber,    // the item whose text is the number (else item 0); back the text's number, refused when no number
    ItemIndex,     // item index = the number
    Port,          // the item whose text is the stored text (none when absent); back the combo's text
    ClosingTime,   // "hhnn" with blanks removed into the time picker; back "hhnn"
};

struct Binding {
    QString control;
    const char *field;
    Conv conv;
    int element = -1; // element of a text list; for the value lists also the row
};

std::vector<Binding> buildBindings()
{
    using C = Conv;
    std::vector<Binding> b = {
        // Page 1.
        {"edt_CompanyName", "CompanyName", C::Show},
        {"edt_CompanyCode", "CompanyCode", C::Show},
        {"edt_StoreName", "StoreName", C::Show},
        {"edt_StoreCode", "StoreCode", C::Show},
        {"edt_RegNo", "RegNo", C::Show},
        {"edt_Tel1", "StorePhone", C::Show},
        {"edt_Tel3", "CSCenter", C::Show},
        {"edt_Address", "Address", C::Show},
        {"edt_PosID", "PosNo", C::Text},
        {"cbx_PosMode", "PosMode", C::Code},
        {"cbx_LoginPosition", "LoginPosition", C::LoginPosition},
        {"cbx_LoginType", "LoginType", C::Code},
        {"ckb_SharePoint", "SharePoint", C::Bool},
        {"ckb_RecordCoins", "RecordCoins", C::Bool},
        {"ckb_UpdateOn", "UpdateOn", C::Bool},
        {"ckb_takeoutflag", "takeoutflag", C::Bool},
        {"CKB_ServiceItemPrint", "serviceitemprint", C::Bool},
        {"CKB_SetCoursePreview", "setcoursepreview", C::Bool},
        {"EDT_STARTBELL", "startbell", C::IntStrict},
        {"EDT_ENDBELL", "endbell", C::IntStrict},
        {"cbx_autocutpoint", "autocutpoint", C::ItemNumber},
        {"cbx_pointcut", "pointcut", C::ItemNumber},
        {"cbx_TypeA", "TypeALines", C::ItemIndex},
        {"cbx_TypeB", "TypeBLines", C::ItemIndex},
        {"ckb_PrintPrice", "DisPrice", C::Bool},
        {"ckb_DispCountStock", "DisCountStock", C::Bool},
        {"ckb_DispCountAmt", "DisCountAmt", C::Bool},
        {"ckb_CbTaste", "CbTaste", C::Bool},
        {"ckb_CbRevise", "CbRevise", C::Bool},
        {"ckb_CbExhaust", "CbExhaust", C::Bool},
        {"ckb_CbItemReturn", "CbItemReturn", C::Bool},
        {"ckb_CbOrdering", "CbOrdering", C::Bool},
        {"ckb_CbIncome", "CbInCome", C::Bool},
        {"ckb_CbDelivery", "CbDelivery", C::Bool},
        {"ckb_CbSaleReturn", "CbSaleReturn", C::Bool},
        {"ckb_CbConvert", "CbConvert", C::Bool},
        {"ckb_CbRecount", "CbRecount", C::Bool},
        {"ckb_CbCoupon", "CbCoupon", C::Bool},
        {"ckb_CbPoint", "CbPoint", C::Bool},
        {"ckb_CbClosing", "CbClosing", C::Bool},
        {"ckb_CbSettle", "CbSettle", C::Bool},
        {"ckb_CbStatics", "CbStatics", C::Bool},
        {"cbx_PrintStockPrice", "PrintStockPrice", C::Code},
        {"ckb_AutoProduce", "UseAutoProduce", C::Bool},
        {"ckb_UseInOutPrice", "UseInOutPrice", C::Bool},
        {"dtp_OrderLimit", "OrderClosingTime", C::ClosingTime},
        {"edt_OrderPersent", "OrderPersent", C::Ratio},

        // Page 2.
        {"btn_IncludeVat1", "IncludeVat", C::VatButtons},
        {"edt_VatRatio", "VatRatio", C::Ratio},
        {"edt_TipRatio", "TipRatio", C::Ratio},
        {"edt_MaxOkRatio", "MaxOKRatio", C::Ratio},
        {"edt_OKStatics", "StaticOKRatio", C::Ratio},
        {"edt_CouponTerm", "CouponTerm", C::Int},
        {"edt_DiscountTerm", "DiscountTerm", C::Int},
        {"edt_PointTerm", "PointTerm", C::Int},
        {"cbx_NextDayFlag", "NextDayFlag", C::NextDay},
        {"ckb_PrepayInputFlag", "PrepayInputFlag", C::Bool},
        {"ckb_MisuInputFlag", "MisuInputFlag", C::Bool},
        {"cbx_PtMode", "PtMode", C::Code},
        {"edt_PtRatio", "PtRatio", C::Ratio},
        {"edt_PtStore", "PTStore", C::Int},
        {"edt_PtStoreCash", "PtStoreCash", C::Ratio},
        {"edt_PtStoreCard", "PtStoreCard", C::Ratio},
        {"edt_PtStroeStock", "PtStoreStock", C::Ratio},
        {"edt_PtStorePrepay", "PtStorePrepay", C::Ratio},
        {"edt_PtStorePoint", "PtStorePoint", C::Ratio},
        {"edt_StoreCoupon", "PtStoreCoupon", C::Ratio},
        {"edt_PtStoreVoucher", "PtStoreVoucher", C::Ratio},
        {"edt_PtLeastSett", "PTLeastSett", C::Int},
        {"edt_MaxStore", "PtMaxStore", C::Int},
        {"edt_PtMinUse", "PtMinUse", C::Int},
        {"edt_PtMaxUse", "PtMaxUse", C::Int},
        {"edt_PtUnit", "ptUnit", C::Int},
        {"edt_PtMaxUseRatio", "PtMaxUseRatio", C::Ratio},
        {"edt_PtChangeRatio", "PtChangeRatio", C::Ratio},
        {"ckb_PtSaveOnPrepay", "PtSaveOnPrepay", C::Bool},
        {"ckb_PtSaveOnVoucher", "PtSaveOnVoucher", C::Bool},
        {"ckb_PtSaveOnStock", "PtSaveOnStock", C::Bool},
        {"edt_VanName1", "VANName", C::Text, 0},
        {"cbx_SignPort1", "VANSignPort", C::Port, 0},
        {"edt_SignSpeed1", "VANSignBaudrate", C::Text, 0},
        {"edt_VanNo1", "VANNumber", C::Text, 0},
        {"edt_VanKey1", "VANKey", C::Text, 0},
        {"edt_VanName2", "VANName", C::Text, 1},
        {"cbx_SignPort2", "VANSignPort", C::Port, 1},
        {"edt_SignSpeed2", "VANSignBaudrate", C::Text, 1},
        {"edt_VanNo2", "VANNumber", C::Text, 1},
        {"edt_VanKey2", "VANKey", C::Text, 1},
        {"EDT_GIFTICONID", "gifticonid", C::Text},

        // Page 3.
        {"ckb_SubMonitor", "SubMonitor", C::Bool},
        {"ckb_SubDispCustName", "SubDisplayCustName", C::Bool},
        {"edt_SubTop", "SubTop", C::Int},
        {"edt_SubLeft", "SubLeft", C::Int},
        {"cbx_SubLogoMode", "SubLogoMode", C::Code},
        {"edt_SubLogoFile", "SubLogoFile", C::Text},
        {"edt_SubMediaFile", "SubLogoMedia", C::Text},
        {"cbx_DispMode", "SubDispMode", C::Code},
        {"cbx_PortReceipt", "PortReceipt", C::Port},
        {"cbx_PortBarcode", "PortBarcode", C::Port},
        {"cbx_PortCardreader", "PortCardReader", C::Port},
        {"edt_BaudrateReceipt", "BaudrateReceipt", C::Text},
        {"edt_BaudrateBarcode", "BaudrateBarcode", C::Text},
        {"edt_BaudrateCardReader", "BaudrateCardReader", C::Text},
    };
    for (int row = 0; row < 20; ++row)
        b.push_back({"vle_Port", "PortCookery", C::Text, row});
    for (int row = 0; row < 20; ++row)
        b.push_back({"vle_Baud", "BaudrateCookery", C::Text, row});
    const std::vector<Binding> rest = {
        {"ckb_PrUse", "PrUse", C::Bool},
        {"ckb_PrPreview", "PrPreview", C::Bool},
        {"ckb_PrBarcode", "PrBarCode", C::Bool},
        {"ckb_PrWaitSlip", "PrWaitSlip", C::Bool},
        {"ckb_PrBakeryKichen", "PrBakeryKitchen", C::Bool},
        {"ckb_PrCookery", "PrCookery", C::Bool},
        {"ckb_PtOrdRcpt", "PrOrdRcpt", C::Bool},
        {"cbx_CookeryNode", "PrCookeryNode", C::Code},
        {"cbx_CookeryMode", "SCKMTY", C::Code},
        {"edt_PrMessage1", "PrMessage1", C::Text},
        {"edt_PrMessage2", "PrMessage2", C::Text},
        {"edt_PrMessage3", "PrMessage3", C::Text},
        {"edt_PrMessage4", "PrMessage4", C::Text},
        {"ckb_VFDuse", "VFDUse", C::Bool},
        {"cbx_VFDType", "VFDType", C::Code},
        {"cbx_VfDPort", "VFDPort", C::Port},
        {"edt_VFDBaudrate", "VFDBaudrate", C::Text},
        {"edt_CountCash", "CountCash", C::Int},
        {"edt_PcCashBill", "CountCashBill", C::Int},
        {"edt_PcCard", "CountCard", C::Int},
        {"edt_PcOd", "CountOd", C::Int},
        {"edt_PcDV", "CountDV", C::Int},
        {"EDT_COUNTBILL", "countbill", C::Int},
        {"edt_PcCookOD", "CountCookOD", C::Int},
        {"edt_PcStockOD", "CountStockOD", C::Int},
        {"edt_PcStockDV", "CountStockDV", C::Int},
        {"edt_PcStockSt", "CountStockSt", C::Int},
        {"edt_PcStockList", "CountStockList", C::Int},
        {"edt_PcWaitSlip", "CountWaitSlip", C::Int},
        {"edt_PcCardDirect", "CountCardDirect", C::Int},

        // Page 4.
        {"ckb_UseSection", "UseCustSection", C::Bool},
        {"ckb_AlwaysCustCount", "AlwaysCustCount", C::Bool},
        {"ckb_TableRefillOn", "TableRefillOn", C::Bool},
        {"ckb_InputCustSex", "InputCustSex", C::Bool},
        {"edt_LayerCount", "LayerCounter", C::Int},
    };
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

const std::vector<Binding> &Bindings()
{
    static const std::vector<Binding> table = buildBindings();
    return table;
}

// One field (or one element of a text list) of the record.
class FieldRef {
public:
    FieldRef(TMyConfig &config, const Binding &b) : m_field(FindConfigField(QLatin1String(b.field)))
    {
        Q_ASSERT_X(m_field, "FieldRef", b.field);
        m_address = m_field->address(config);
        if (b.element >= 0) {
            Q_ASSERT(m_field->kind == ConfigKind::TextList && b.element < m_field->count);
            m_address = static_cast<QString *>(m_address) + b.element;
        }
    }

    const char *name() const { return m_field->name; }
    ConfigKind kind() const { return m_field->kind; }
    QString &text() const { return *static_cast<QString *>(m_address); }
    QChar &character() const { return *static_cast<QChar *>(m_address); }
    bool &flag() const { return *static_cast<bool *>(m_address); }
    float &single() const { return *static_cast<float *>(m_address); }

    qint64 integer() const
    {
        switch (m_field->kind) {
        case ConfigKind::Int8: return *static_cast<const std::int8_t *>(m_address);
        case ConfigKind::Int16: return *static_cast<const std::int16_t *>(m_address);
        case ConfigKind::Int32: return *static_cast<const std::int32_t *>(m_address);
        default: Q_UNREACHABLE();
        }
        return 0;
    }
    void setInteger(qint64 v) const
    {
        switch (m_field->kind) {
        case ConfigKind::Int8: *static_cast<std::int8_t *>(m_address) = std::int8_t(v); break;
        case ConfigKind::Int16: *static_cast<std::int16_t *>(m_address) = std::int16_t(v); break;
        case ConfigKind::Int32: *static_cast<std::int32_t *>(m_address) = std::int32_t(v); break;
        default: Q_UNREACHABLE();
        }
    }
    // The range of numbers the field's width holds.
    std::pair<qint64, qint64> range() const
    {
        switch (m_field->kind) {
        case ConfigKind::Int8: return {std::numeric_limits<std::int8_t>::min(), std::numeric_limits<std::int8_t>::max()};
        case ConfigKind::Int16:
            return {std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
        default: return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
        }
    }

private:
    const ConfigField *m_field;
    void *m_address;
};

QString ratioText(float value)
{
    return QString::number(double(value), 'f', 2);
}

// The integer part of a number typed into an edit; 0 for a text that is no number.
int integerPart(const QString &text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(d) ? int(std::clamp(std::trunc(d), -2147483648.0, 2147483647.0)) : 0;
}

// The number in a count edit; 0 for an empty text or one that is no number.
int countOf(const QLineEdit *edit)
{
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

// The combo's item for a one-digit code; an unreadable code or one without an
// item shows item 0.
int codeIndex(QChar code, int count)
{
    const int digit = code.isDigit() ? code.digitValue() : -1;
    return digit >= 0 && digit < count ? digit : 0;
}

// "hhnn" of a closing time stored with or without blanks; missing or
// unreadable parts read as 0.
QTime closingTime(const QString &stored)
{
    const int hours = stored.mid(0, 2).toInt();
    const int minutes = stored.mid(2, 2).toInt();
    return QTime(std::clamp(hours, 0, 23), std::clamp(minutes, 0, 59));
}

TF302_ConfigEnv::FileChooser &fileChooser()
{
    static TF302_ConfigEnv::FileChooser chooser;
    return chooser;
}

// The platform's open-file dialog, with a "name|pattern|..." filter.
QString openFileDialog(QWidget *parent, const QString &title, const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return QFileDialog::getOpenFileName(parent, title, QString(), filters.join(QStringLiteral(";;")));
}

// The modal result of a screen closed by its close buttons (cancel).
constexpr int kClosed = 2;

// A whole number, possibly beyond what 64 bits hold.
const QRegularExpression kDigits(QStringLiteral("^[-+]?\\d+$"));

const QString kFloorQuestion =
    QString::fromUtf8("테이블 변경 내역이 있습니다. 변경내역을 무시하고 계속 진행하시겠습니까?");

} // namespace

// ---------------------------------------------------------------------------

TF302_ConfigEnv::TF302_ConfigEnv(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TF302_ConfigEnv>())
{
    ui->setupUi(this);
    setFixedSize(1024, 768);
    F302_ConfigEnv = this;

    ui->pgc_Config->tabBar()->hide();
    m_layerButtons = {ui->btnLayer1, ui->btnLayer2, ui->btnLayer3, ui->btnLayer4, ui->btnLayer5, ui->btnLayer6};

    // The two value lists: twenty rows "주방1" .. "주방20", the value beside the key.
    for (QTableWidget *list : {ui->vle_Port, ui->vle_Baud}) {
        list->setColumnCount(2);
        list->setRowCount(20);
        list->horizontalHeader()->hide();
        list->verticalHeader()->hide();
        list->setColumnWidth(0, 56);
        list->horizontalHeader()->setStretchLastSection(true);
        for (int row = 0; row < 20; ++row) {
            auto *key = new QTableWidgetItem(QString::fromUtf8("주방") + QString::number(row + 1));
            key->setFlags(Qt::ItemIsEnabled);
            list->setItem(row, 0, key);
            list->setItem(row, 1, new QTableWidgetItem());
            list->setRowHeight(row, 20);
        }
    }
    connectHandlers();
}

TF302_ConfigEnv::~TF302_ConfigEnv()
{
    if (F302_ConfigEnv == this)
        F302_ConfigEnv = nullptr;
}

int TF302_ConfigEnv::Execute(QWidget *parent)
{
    auto *screen = new TF302_ConfigEnv(parent);
    const int result = screen->exec();
    delete screen;
    return result;
}

TF302_ConfigEnv::FileChooser TF302_ConfigEnv::SetFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(fileChooser());
    fileChooser() = std::move(chooser);
    return previous;
}

void TF302_ConfigEnv::connectHandlers()
{
    using B = TMirelButtonBase;
    const auto onUp = [this](TMirelButtonBase *button, void (TF302_ConfigEnv::*handler)(QWidget *)) {
        connect(button, &B::OnMouseUp, this,
                [this, handler](QWidget *sender, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {
                    (this->*handler)(sender);
                });
    };
    const auto onClick = [this](TMirelButtonBase *button, void (TF302_ConfigEnv::*handler)(QWidget *)) {
        connect(button, &B::OnClick, this, [this, handler](QWidget *sender) { (this->*handler)(sender); });
    };

    for (TMirelImgBtn *page : {ui->btn_Page1, ui->btn_Page2, ui->btn_Page3, ui->btn_Page4, ui->btn_Page5})
        onUp(page, &TF302_ConfigEnv::onPageButtonUp);
    connect(ui->btn_Save, &B::OnClick, this, [this] { onSave(); });
    for (TMirelImgBtn *close : {ui->btn_Close, ui->btn_Close2})
        connect(close, &B::OnClick, this, [this] { done(kClosed); });
    onClick(ui->btn_SubMediaFile, &TF302_ConfigEnv::onFileButton);
    onClick(ui->btn_SubLogoFile, &TF302_ConfigEnv::onFileButton);

    // Field helpers. Only what the user does triggers them (activated, clicked,
    // textEdited), never the loading of the controls.
    connect(ui->cbx_baseCostMethod, &QComboBox::activated, this, [this](int index) {
        if (index == 0 && ui->cbx_NextDayFlag->currentIndex() == 0)
            ui->cbx_NextDayFlag->setCurrentIndex(1);
    });
    connect(ui->cbx_PtMode, &QComboBox::activated, this, [this](int index) { applyPtMode(index); });
    connect(ui->ckb_PtStoreRatio, &QCheckBox::clicked, this, [this](bool ticked) {
        ui->edt_PtRatio->setText(ticked ? ratioText(MyConfig.PtRatio) : QStringLiteral("0"));
        ui->edt_PtRatio->setEnabled(ticked);
    });
    connect(ui->ckb_PtStorePoint, &QCheckBox::clicked, this, [this](bool ticked) {
        ui->edt_PtStore->setText(ticked ? QString::number(MyConfig.PTStore) : QStringLiteral("0"));
        ui->edt_PtStore->setEnabled(ticked);
    });
    connect(ui->edt_PtRatio, &QLineEdit::textEdited, this,
            [this](const QString &text) { ui->ckb_PtStoreRatio->setChecked(integerPart(text) > 0); });
    connect(ui->edt_PtStore, &QLineEdit::textEdited, this,
            [this](const QString &text) { ui->ckb_PtStorePoint->setChecked(integerPart(text) > 0); });
    connect(ui->cbx_TypeA, &QComboBox::activated, this, [this] {
        if (ui->cbx_TypeB->currentIndex() < 1)
            ui->cbx_TypeA->setCurrentIndex(0);
    });
    connect(ui->cbx_TypeB, &QComboBox::activated, this, [this](int index) {
        if (index == 0 && ui->cbx_TypeA->currentIndex() >= 1)
            ui->cbx_TypeB->setCurrentIndex(1);
    });
    connect(ui->PrintCongif, &QComboBox::activated, this,
            [this](int index) { PrinterKind = index == 1 ? QStringLiteral("2") : QStringLiteral("1"); });

    // Layout editor.
    for (TMirelImgBtn *floor : m_layerButtons)
        onUp(floor, &TF302_ConfigEnv::onFloorAction);
    onUp(ui->btn_LayerPrev, &TF302_ConfigEnv::onFloorAction);
    onUp(ui->btn_LayerNext, &TF302_ConfigEnv::onFloorAction);
    for (TMirelImgBtn *tool :
         {ui->btn_SizeUp, ui->btn_SizeDown, ui->btn_SizeReset, ui->btn_Left, ui->btn_Up, ui->btn_Right, ui->btn_Down,
          ui->btn_AlignCol, ui->btn_AlignRow, ui->btn_LayerNameApply, ui->btn_TableCntApply, ui->btn_PackCntApply,
          ui->btn_TableNameApply, ui->btn_LayerCountApply, ui->btn_SizeAll})
        onClick(tool, &TF302_ConfigEnv::onEditorButton);
    connect(ui->edt_TableCnt, &QLineEdit::textEdited, this,
            [this] { onCountEdited(ui->edt_TableCnt, ui->edt_PackCnt); });
    connect(ui->edt_PackCnt, &QLineEdit::textEdited, this,
            [this] { onCountEdited(ui->edt_PackCnt, ui->edt_TableCnt); });
    connect(ui->edt_LayerCount, &QLineEdit::textEdited, this, [this] { onFloorCountEdited(); });
}

// ---- showing and closing ---------------------------------------------------

void TF302_ConfigEnv::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (QWidget *owner = parentWidget())
        move(owner->window()->geometry().topLeft());
    else if (QScreen *scr = screen() ? screen() : QGuiApplication::primaryScreen())
        move(scr->geometry().topLeft());

    ui->pgc_Config->tabBar()->hide();
    m_floor = 0;
    m_floorPage = 0;
    ui->pgc_Config->setCurrentIndex(0);
    ui->btn_Page1->setDown(true);
    m_layoutChanged = false;
    LoadSettings();
    m_dragging = false;
    ShowLayerButtons();
    MakeLayout();
    m_layerButtons[0]->setDown(true);
    fillFloorEdits();
}

void TF302_ConfigEnv::done(int result)
{
    QDialog::done(result);
    QCoreApplication::processEvents();
}

void TF302_ConfigEnv::onPageButtonUp(QWidget *sender)
{
    ui->pgc_Config->setCurrentIndex(static_cast<TMirelButtonBase *>(sender)->Tag() - 400);
}

// ---- loading and saving ----------------------------------------------------

void TF302_ConfigEnv::LoadSettings()
{
    for (const Binding &b : Bindings()) {
        QWidget *control = findChild<QWidget *>(b.control);
        Q_ASSERT_X(control, "LoadSettings", qPrintable(b.control));
        const FieldRef field(MyConfig, b);
        auto *edit = qobject_cast<QLineEdit *>(control);
        auto *combo = qobject_cast<QComboBox *>(control);
        auto *list = qobject_cast<QTableWidget *>(control);
        switch (b.conv) {
        case Conv::Show:
        case Conv::Text: {
            const QString text = b.element >= 0 ? ElementText(field.text()) : field.text();
            if (list)
                list->item(b.element, 1)->setText(text);
            else
                edit->setText(text);
            break;
        }
        case Conv::Int:
        case Conv::IntStrict: edit->setText(QString::number(field.integer())); break;
        case Conv::Ratio: edit->setText(ratioText(field.single())); break;
        case Conv::Bool: qobject_cast<QCheckBox *>(control)->setChecked(field.flag()); break;
        case Conv::VatButtons:
            // The two buttons are one radio group: pressing one releases the other.
            (field.flag() ? ui->btn_IncludeVat1 : ui->btn_IncludeVat2)->setDown(true);
            break;
        case Conv::Code: combo->setCurrentIndex(codeIndex(field.character(), combo->count())); break;
        case Conv::LoginPosition: combo->setCurrentIndex(field.character() == QLatin1Char('2') ? 1 : 0); break;
        case Conv::NextDay: combo->setCurrentIndex(field.character() == QLatin1Char('1') ? 0 : 1); break;
        case Conv::ItemNumber:
            combo->setCurrentIndex(std::max(0, combo->findText(QString::number(field.integer()), Qt::MatchExactly)));
            break;
        case Conv::ItemIndex: {
            const qint64 n = field.integer();
            combo->setCurrentIndex(n >= 0 && n < combo->count() ? int(n) : 0);
            break;
        }
        case Conv::Port: {
            const QString stored = b.element >= 0 ? ElementText(field.text()) : field.text();
            const int index = stored.isEmpty() ? -1 : combo->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
            combo->setCurrentIndex(index);
            break;
        }
        case Conv::ClosingTime:
            field.text().remove(QLatin1Char(' '));
            qobject_cast<QTimeEdit *>(control)->setTime(closingTime(field.text()));
            break;
        }
    }

    ui->ckb_PtStoreRatio->setChecked(MyConfig.PtRatio > 0);
    ui->ckb_PtStorePoint->setChecked(MyConfig.PTStore > 0);
    applyPtMode(ui->cbx_PtMode->currentIndex());

    ui->PrintCongif->setCurrentIndex(MyConfig.pcprst == QLatin1String("2") ? 1 : 0);
    PrinterKind = ui->PrintCongif->currentIndex() == 1 ? QStringLiteral("2") : QStringLiteral("1");
}

bool TF302_ConfigEnv::SaveSettings()
{
    // Every number is read and checked before anything is copied, so a refused
    // save leaves the whole record as it was.
    std::vector<qint64> numbers(Bindings().size(), 0);
    for (size_t i = 0; i < Bindings().size(); ++i) {
        const Binding &b = Bindings()[i];
        if (b.conv != Conv::Int && b.conv != Conv::IntStrict && b.conv != Conv::ItemNumber)
            continue;
        QWidget *control = findChild<QWidget *>(b.control);
        const QString text = b.conv == Conv::ItemNumber ? qobject_cast<QComboBox *>(control)->currentText()
                                                        : qobject_cast<QLineEdit *>(control)->text();
        const FieldRef field(MyConfig, b);
        const QString typed = text.trimmed();
        bool ok = false;
        qint64 value = typed.toLongLong(&ok);
        const bool digits = kDigits.match(typed).hasMatch();
        const auto [low, high] = field.range();
        QString refusal;
        if (!ok && !digits) {
            // Not a number: an "int" field takes it as 0, the others refuse it.
            if (b.conv == Conv::Int)
                value = 0;
            else
                refusal = QString::fromUtf8("입력값 오류 (%1): 숫자를 입력해 주세요.").arg(QLatin1String(field.name()));
        } else if (!ok || value < low || value > high) {
            refusal = QString::fromUtf8("입력값 오류 (%1): %2~%3 사이의 수를 입력해 주세요.")
                          .arg(QLatin1String(field.name()))
                          .arg(low)
                          .arg(high);
        }
        if (!refusal.isEmpty()) {
            ShowMessageBox(refusal, mkNotice, 3000);
            for (QWidget *w = control; w; w = w->parentWidget()) {
                const int page = ui->pgc_Config->indexOf(w);
                if (page >= 0) {
                    ui->pgc_Config->setCurrentIndex(page);
                    findChild<TMirelImgBtn *>(QStringLiteral("btn_Page%1").arg(page + 1))->setDown(true);
                    break;
                }
            }
            control->setFocus();
            return false;
        }
        numbers[i] = value;
    }

    for (size_t i = 0; i < Bindings().size(); ++i) {
        const Binding &b = Bindings()[i];
        QWidget *control = findChild<QWidget *>(b.control);
        const FieldRef field(MyConfig, b);
        auto *edit = qobject_cast<QLineEdit *>(control);
        auto *combo = qobject_cast<QComboBox *>(control);
        auto *list = qobject_cast<QTableWidget *>(control);
        // A list element cleared on the server stays cleared while its control is empty.
        const auto storeText = [&](const QString &text) {
            if (b.element >= 0 && text.isEmpty() && field.text() == ClearedElement())
                return;
            field.text() = text;
        };
        switch (b.conv) {
        case Conv::Show: break;
        case Conv::Text: storeText(list ? list->item(b.element, 1)->text() : edit->text()); break;
        case Conv::Int:
        case Conv::IntStrict:
        case Conv::ItemNumber: field.setInteger(numbers[i]); break;
        case Conv::Ratio: {
            bool ok = false;
            const double d = edit->text().trimmed().toDouble(&ok);
            field.single() = ok ? float(d) : 0.0f;
            break;
        }
        case Conv::Bool: field.flag() = qobject_cast<QCheckBox *>(control)->isChecked(); break;
        case Conv::VatButtons: field.flag() = ui->btn_IncludeVat1->Down(); break;
        case Conv::Code: field.character() = QChar(char16_t(u'0' + std::max(0, combo->currentIndex()))); break;
        case Conv::LoginPosition: field.character() = combo->currentIndex() == 1 ? QChar(u'2') : QChar(u'1'); break;
        case Conv::NextDay: field.character() = combo->currentIndex() == 0 ? QChar(u'1') : QChar(u'2'); break;
        case Conv::ItemIndex: field.setInteger(std::max(0, combo->currentIndex())); break;
        case Conv::Port: storeText(combo->currentText()); break;
        case Conv::ClosingTime:
            field.text() = qobject_cast<QTimeEdit *>(control)->time().toString(QStringLiteral("HHmm"));
            break;
        }
    }
    MyConfig.pcprst = PrinterKind;
    return true;
}

void TF302_ConfigEnv::onSave()
{
    if (AskMessageBox(QString::fromUtf8("저장하시겠습니까?"), mkOkCancel) != mrYes)
        return;
    if (!SaveSettings())
        return;
    // Failures of the two saves are logged by the data module. A save that
    // did not reach the server (refused, or skipped with the connection down)
    // is told, after the log line: the change would quietly revert at the
    // next start. A save that succeeded shows no result.
    if (DM) {
        const bool connected = DM->RODataSnapConnection && DM->RODataSnapConnection->Connected();
        const bool configSaved = connected && DM->SaveConfig();
        const bool kindSaved = DM->SsSaveConfig();
        if (!configSaved || !kindSaved)
            ShowMessageBox(QString::fromUtf8("서버에 환경 설정을 저장하지 못했습니다."), mkNotice, 3000);
    }
    m_layoutChanged = false;
}

// ---- field helpers ---------------------------------------------------------

void TF302_ConfigEnv::applyPtMode(int index)
{
    const bool byProduct = index == 0;
    for (QWidget *w : std::initializer_list<QWidget *>{ui->edt_PtRatio, ui->edt_PtStore, ui->ckb_PtStoreRatio,
                                                       ui->ckb_PtStorePoint})
        w->setEnabled(byProduct);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->edt_PtStoreCash, ui->edt_PtStoreCard, ui->edt_PtStroeStock,
                                                       ui->edt_PtStorePrepay, ui->edt_PtStorePoint,
                                                       ui->edt_StoreCoupon, ui->edt_PtStoreVoucher})
        w->setEnabled(!byProduct);
}

void TF302_ConfigEnv::onFileButton(QWidget *sender)
{
    const bool media = static_cast<TMirelButtonBase *>(sender)->Tag() == 1111;
    QLineEdit *edit = media ? ui->edt_SubMediaFile : ui->edt_SubLogoFile;
    const QString title = media ? QString::fromUtf8("FlashFile 불러오기") : QString();
    const QString filter = media ? QStringLiteral("SWF|*.SWF") : QStringLiteral("SWF|*.SWF|JPG|*.JPG");
    const QString chosen = fileChooser() ? fileChooser()(this, title, filter) : openFileDialog(this, title, filter);
    // A cancelled dialog leaves the file name as it was.
    if (!chosen.isEmpty())
        edit->setText(chosen);
    edit->setCursorPosition(int(edit->text().size()));
}

// ---- table-layout editor ---------------------------------------------------

void TF302_ConfigEnv::ShowLayerButtons()
{
    for (int i = 0; i < int(m_layerButtons.size()); ++i) {
        TMirelImgBtn *button = m_layerButtons[size_t(i)];
        const int floor = m_floorPage * 6 + i;
        if (floor >= MyConfig.LayerCounter || floor >= layout::MaxFloors) {
            button->setEnabled(false);
            button->setCaption(QString());
        } else {
            button->setEnabled(true);
            button->setCaption(ElementText(MyConfig.LayerTitle[size_t(floor)]));
        }
    }
}

void TF302_ConfigEnv::clearLayout()
{
    m_selected = nullptr;
    m_dragging = false;
    qDeleteAll(m_tiles);
    m_tiles.clear();
}

void TF302_ConfigEnv::MakeLayout()
{
    clearLayout();
    const int tables = MyConfig.TableCount[size_t(m_floor)];
    const int places = MyConfig.PackCount[size_t(m_floor)];
    const int n = std::min(tables + places, layout::MaxTiles);
    const std::vector<QRect> rects = layout::TileRects(n);
    for (int k = 0; k < n; ++k) {
        auto *tile = new TMirelTable(ui->pnl_Layout);
        tile->setGeometry(rects[size_t(k)]);
        const bool table = k < tables;
        tile->setTableType(table ? 0 : 2);
        tile->setTableName(table ? QStringLiteral("Table - %1").arg(k + 1)
                                 : QStringLiteral("Pack - %1").arg(k - tables + 1));
        tile->setTableState(0);
        tile->TableNo = k;
        tile->setHoldSelect(true);
        connect(tile, &TMirelTable::OnMouseDown, this,
                [this](QWidget *s, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos) {
                    if (button == Qt::LeftButton)
                        onTileMouseDown(s, pos);
                });
        connect(tile, &TMirelTable::OnMouseMove, this,
                [this](QWidget *s, Qt::KeyboardModifiers, QPoint pos) { onTileMouseMove(s, pos); });
        connect(tile, &TMirelTable::OnClick, this, [this](QWidget *s) { onTileClick(s); });
        connect(tile, &TMirelTable::OnMouseUp, this,
                [this](QWidget *s, Qt::MouseButton, Qt::KeyboardModifiers, QPoint) { onTileMouseUp(s); });
        tile->show();
        m_tiles.append(tile);
    }
}

void TF302_ConfigEnv::fillFloorEdits()
{
    const auto f = size_t(m_floor);
    ui->edt_TableCnt->setText(QString::number(MyConfig.TableCount[f]));
    ui->edt_PackCnt->setText(QString::number(MyConfig.PackCount[f]));
    ui->edt_LayerName->setText(ElementText(MyConfig.LayerTitle[f]));
}

void TF302_ConfigEnv::pressFloorButton(int index)
{
    m_layerButtons[size_t(index)]->setDown(true);
}

void TF302_ConfigEnv::onFloorAction(QWidget *sender)
{
    auto *pressed = static_cast<TMirelButtonBase *>(sender);
    if (m_layoutChanged) {
        if (AskMessageBox(kFloorQuestion, mkOkCancel) != mrYes) {
            pressed->setDown(false);
            pressFloorButton(m_floor % 6);
            return;
        }
        m_layoutChanged = false;
    }
    const int tag = pressed->Tag();
    const int floors = MyConfig.LayerCounter;
    if (tag >= 0) {
        const int floor = m_floorPage * 6 + tag;
        if (floor < floors && floor < layout::MaxFloors) {
            m_floor = floor;
            MakeLayout();
            fillFloorEdits();
        } else {
            pressFloorButton(m_floor % 6);
        }
        return;
    }
    if (tag == -2) {
        if (m_floorPage * 6 + 6 >= std::min(floors, layout::MaxFloors))
            return;
        ++m_floorPage;
        m_floor = std::min(m_floor + 6, std::min(floors, layout::MaxFloors) - 1);
    } else {
        if (m_floorPage == 0)
            return;
        --m_floorPage;
        m_floor = std::max(m_floor - 6, 0);
    }
    pressFloorButton(m_floor % 6);
    ShowLayerButtons();
    MakeLayout();
    fillFloorEdits();
}

void TF302_ConfigEnv::onTileMouseDown(QWidget *, QPoint pos)
{
    m_dragStart = pos;
    m_dragging = true;
}

void TF302_ConfigEnv::onTileMouseMove(QWidget *sender, QPoint pos)
{
    if (!m_dragging || pos == m_dragStart)
        return;
    sender->move(sender->pos() + pos - m_dragStart);
    m_layoutChanged = true;
}

void TF302_ConfigEnv::onTileClick(QWidget *sender)
{
    m_selected = static_cast<TMirelTable *>(sender);
    ui->edt_TableName->setText(m_selected->TableName());
}

void TF302_ConfigEnv::onTileMouseUp(QWidget *sender)
{
    auto *tile = static_cast<TMirelTable *>(sender);
    if (tile->TableState() != 2)
        tile->SetSelected(true);
    m_dragging = false;
}

void TF302_ConfigEnv::alignTiles(bool columns)
{
    std::vector<QPoint> points;
    for (TMirelTable *tile : m_tiles)
        points.push_back(tile->pos());
    if (columns)
        layout::AlignColumns(points);
    else
        layout::AlignRows(points);
    for (int k = 0; k < m_tiles.size(); ++k)
        m_tiles[k]->move(points[size_t(k)]);
}

void TF302_ConfigEnv::applyCount(QLineEdit *edit, QLineEdit *other, bool tables)
{
    const QString notice = QString::fromUtf8("최대 테이블 수량을 초과했습니다.");
    const int others = countOf(other);
    int d = countOf(edit);
    if (d + others >= layout::MaxTiles) {
        ShowMessageBox(notice, mkNotice, 2000);
        d = layout::MaxTiles - 1 - others;
    }
    if (d >= layout::MaxTiles) {
        ShowMessageBox(notice, mkNotice, 2000);
        d = layout::MaxTiles - 1;
    }
    d = std::max(d, 0);
    edit->setText(QString::number(d));
    (tables ? MyConfig.TableCount : MyConfig.PackCount)[size_t(m_floor)] = std::uint8_t(d);
    MakeLayout();
}

void TF302_ConfigEnv::onEditorButton(QWidget *sender)
{
    m_layoutChanged = true;
    TMirelTable *tile = m_selected;
    const auto resizeBy = [tile](int dw, int dh) {
        if (tile)
            tile->resize(std::max(0, tile->width() + dw), std::max(0, tile->height() + dh));
    };
    switch (static_cast<TMirelButtonBase *>(sender)->Tag()) {
    case 501: resizeBy(5, 5); break;
    case 502: resizeBy(-5, -5); break;
    case 503: {
        const QSize size = layout::ResetSize(countOf(ui->edt_TableCnt) + countOf(ui->edt_PackCnt));
        if (tile && size.isValid())
            tile->resize(size);
        break;
    }
    case 504: resizeBy(-5, 0); break;
    case 505: resizeBy(0, -5); break;
    case 506: resizeBy(5, 0); break;
    case 507: resizeBy(0, 5); break;
    case 508: alignTiles(true); break;
    case 509: alignTiles(false); break;
    case 510: {
        QString name = ui->edt_LayerName->text();
        if (name.size() > 15)
            name = CutBytes(name, 15);
        ui->edt_LayerName->setText(name);
        MyConfig.LayerTitle[size_t(m_floor)] = name;
        ShowLayerButtons();
        break;
    }
    case 511: applyCount(ui->edt_TableCnt, ui->edt_PackCnt, true); break;
    case 512: applyCount(ui->edt_PackCnt, ui->edt_TableCnt, false); break;
    case 513:
        if (tile)
            tile->setTableName(ui->edt_TableName->text());
        break;
    case 514: {
        bool ok = false;
        const int floors = ui->edt_LayerCount->text().trimmed().toInt(&ok);
        if (ok && floors >= 1 && floors <= layout::MaxFloors) {
            MyConfig.LayerCounter = std::int8_t(floors);
            ShowLayerButtons();
        }
        break;
    }
    case 515:
        if (tile)
            for (TMirelTable *t : m_tiles)
                t->resize(tile->size());
        break;
    default: break;
    }
}

void TF302_ConfigEnv::onCountEdited(QLineEdit *edit, QLineEdit *other)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return; // being retyped
    bool ok = false;
    const int value = text.toInt(&ok);
    const int limit = layout::CountLimit(countOf(other));
    if (ok && value >= 0 && value <= limit)
        return;
    AskMessageBox(layout::CountNotice(limit), mkOk);
    edit->setText(QString::number(limit));
}

void TF302_ConfigEnv::onFloorCountEdited()
{
    const QString text = ui->edt_LayerCount->text().trimmed();
    if (text.isEmpty())
        return; // being retyped
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= 1 && value <= layout::MaxFloors)
        return;
    AskMessageBox(layout::FloorCountNotice(), mkOk);
    ui->edt_LayerCount->setText(QStringLiteral("20"));
}
