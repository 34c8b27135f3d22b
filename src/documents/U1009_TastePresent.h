#pragma once
// The tasting and gift stock-out screen (menu Tag 501305): the item-entry
// basket saved as a tasting ("시식", release type "004") or as a free gift
// ("증정", "003"), reloaded from the release list's tastings and gifts.

#include "documents/StockOutScreen.h"

class TF1009_TastePresent : public TStockOutScreen {
    Q_OBJECT
public:
    explicit TF1009_TastePresent(QWidget *parent = nullptr);
    ~TF1009_TastePresent() override;

protected:
    QString FormName() const override { return QStringLiteral("F1009_TastePresent"); }
    QString ListMode() const override { return QStringLiteral("2"); }
    QString SlipTitle() const override { return QStringLiteral("[시식/증정]"); }
    QString SlipTimeLabel() const override { return QStringLiteral(" 시식/증정 시각: "); }
    QString NoEntryNotice() const override { return QStringLiteral("시식/증정한 내역이 없습니다."); }
    void MemberAction(int tag) override;
};

extern TF1009_TastePresent *F1009_TastePresent;
