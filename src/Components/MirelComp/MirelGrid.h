#pragma once
// The data-aware grid of the screens: the data grid with its properties
// published for form layouts. It has no behaviour of its own.

#include "Components/MirelComp/MirelGridL.h"

class TMirelGrid : public TMCustomDBGrid {
    Q_OBJECT
    Q_PROPERTY(int ColorSelectedCell READ ColorSelectedCell WRITE setColorSelectedCell)
    Q_PROPERTY(int ColorSelectedFont READ ColorSelectedFont WRITE setColorSelectedFont)
    Q_PROPERTY(int ColorLines READ ColorLines WRITE setColorLines)
    Q_PROPERTY(int Color READ Color WRITE setColor)
    Q_PROPERTY(int FixedColor READ FixedColor WRITE setFixedColor)
    Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QFont TitleFont READ TitleFont WRITE setTitleFont)
    Q_PROPERTY(int TitleFontColor READ TitleFontColor WRITE setTitleFontColor)
    Q_PROPERTY(int Options READ Options WRITE setOptions)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE setDefaultDrawing)
    Q_PROPERTY(int ScrollBars READ ScrollBars WRITE setScrollBars)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool ToggleSelect READ ToggleSelect WRITE setToggleSelect)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)

public:
    explicit TMirelGrid(QWidget *parent = nullptr);

    bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void setTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }
};

// Appends a column of `field` with a title and a width in pixels to a grid's
// own columns; returns it for further settings (alignment, visibility).
TColumn *AddGridColumn(TMCustomDBGrid *grid, const QString &field, const QString &title, int width);
