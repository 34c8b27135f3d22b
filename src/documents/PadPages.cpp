#include "documents/PadPages.h"

#include "Components/MirelComp/MirelMenuBtn.h"
#include "platform/os/ProgramFile.h"

#include <QDir>

bool PadPages(int slotCount, int rows)
{
    return rows > slotCount;
}

int PadSlotPosition(int slotCount, int rows, int page, int slot)
{
    if (!PadPages(slotCount, rows))
        return slot + 1;
    if (slot <= 0 || slot >= slotCount - 1)
        return 0;
    return slot + page * (slotCount - 2);
}

bool PadHasNextPage(int slotCount, int rows, int page)
{
    return (page + 1) * (slotCount - 2) < rows;
}

bool PadTurnPage(int tag, int slotCount, int rows, int &page)
{
    if (tag == PadPreviousTag && page > 0) {
        --page;
        return true;
    }
    if (tag == PadNextTag && PadHasNextPage(slotCount, rows, page)) {
        ++page;
        return true;
    }
    return false;
}

QString PadPictureFolder()
{
    return QDir(os::ProgramDir()).filePath(QStringLiteral("img")) + QLatin1Char('/');
}

QPixmap PadPicture(const QString &name)
{
    const QString path = PadPictureFolder() + name;
    QPixmap picture;
    if (!picture.load(path))
        throw PadPictureMissing(("picture not found: " + path).toStdString());
    return picture;
}

void SetPadPictures(TMirelMenuBtn *button, const PadPictures &pictures)
{
    button->setPictureOver(PadPicture(QLatin1String(pictures.up)));
    button->setPictureDown(PadPicture(QLatin1String(pictures.down)));
}

void SetPadFontSize(TMirelMenuBtn *button, int pointSize)
{
    QFont f = button->font();
    f.setPointSize(pointSize);
    button->setFont(f);
}

void MakePadPagingSlot(TMirelMenuBtn *button, int tag, const PadPictures &pictures)
{
    button->setCaption(QString());
    SetPadPictures(button, pictures);
    button->setFontColor(33023);
    SetPadFontSize(button, 18);
    button->ItemExtraSwitch1 = true;
    button->setTag(tag);
}
