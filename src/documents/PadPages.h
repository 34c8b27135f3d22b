#pragma once
// Page arithmetic of the touch pads (the supplier picker's partner pad, the
// item-entry screens' category and item pads) and their pictures.
//
// A pad has S slotCount and shows entries numbered 1..rows. With more rows than
// slotCount it pages: slot 0 becomes "previous" (Tag PadPreviousTag), slot S - 1
// "next" (Tag PadNextTag), and slot s of 1..S-2 shows position
// s + page * (S - 2). Otherwise slot s shows position s + 1. A position above
// rows is a blank slot.

#include <QPixmap>
#include <QString>

#include <stdexcept>

constexpr int PadPreviousTag = 1001;
constexpr int PadNextTag = 1002;

// Whether a pad of `slotCount` slotCount pages for `rows` entries.
bool PadPages(int slotCount, int rows);
// The position (from 1) slot `slot` shows, or 0 for a paging slot.
int PadSlotPosition(int slotCount, int rows, int page, int slot);
// Whether "next" may move from `page`: (page + 1) * (slotCount - 2) < rows.
bool PadHasNextPage(int slotCount, int rows, int page);
// A touch on a paging slot of Tag `tag`: "previous" moves back from a page
// above 0, "next" forward while PadHasNextPage. True when `page` moved.
bool PadTurnPage(int tag, int slotCount, int rows, int &page);

// A picture of the pads from "<program folder>/img/<name>". A missing or
// unreadable file throws PadPictureMissing naming it, for the pad builder to
// catch and log.
class PadPictureMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
QPixmap PadPicture(const QString &name);
QString PadPictureFolder(); // "<program folder>/img/"

// The two pictures of a pad button (normal "...01", pressed "...02").
class TMirelMenuBtn;
struct PadPictures {
    const char *up, *down;
};
void SetPadPictures(TMirelMenuBtn *button, const PadPictures &pictures);
void SetPadFontSize(TMirelMenuBtn *button, int pointSize);
// Makes a slot "previous" or "next": no caption, the paging pictures, font
// colour 33023 in size 18, ItemExtraSwitch1 on and the paging Tag.
void MakePadPagingSlot(TMirelMenuBtn *button, int tag, const PadPictures &pictures);
