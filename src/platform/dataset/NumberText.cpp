#include "platform/dataset/NumberText.h"

QString GroupThousands(QString digits)
{
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, u',');
    return digits;
}

QString FormatWholeNumber(qint64 value)
{
    // The magnitude as unsigned, so the smallest qint64 keeps its digits.
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const QString digits = GroupThousands(QString::number(magnitude));
    return value < 0 ? u'-' + digits : digits;
}
