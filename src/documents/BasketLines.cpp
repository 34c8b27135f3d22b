#include "documents/BasketLines.h"

#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "platform/dataset/ControlsOff.h"
#include "platform/dataset/DataSet.h"
#include "shell/RaldApplication.h"

#include <exception>

void ReplaceBasketLines(DataSet &basket, const QList<BasketLine> &lines)
{
    for (const BasketLine &line : lines)
        for (const auto &fieldValue : line)
            basket.FieldByName(fieldValue.first); // throws for a field the basket lacks

    const ControlsOff quiet(basket);
    basket.EmptyTable();
    for (const BasketLine &line : lines) {
        basket.Append();
        for (const auto &[field, value] : line)
            basket.FieldByName(field).setAsVariant(value);
        basket.Post();
    }
}

bool HandOverLines(DataSet &basket, const std::function<QList<BasketLine>()> &read, const QString &logText,
                   bool logWithError)
{
    QList<BasketLine> lines;
    try {
        lines = read();
    } catch (const std::exception &e) {
        const QString error = QString::fromUtf8(e.what());
        WriteLog(logWithError ? logText + error : logText);
        ShowErrorBox(error);
        return false;
    }
    if (lines.isEmpty()) {
        ShowMessageBox(QStringLiteral("수정할 내역이 없습니다."), mkNotice, 2000);
        return false;
    }
    ReplaceBasketLines(basket, lines);
    return true;
}
