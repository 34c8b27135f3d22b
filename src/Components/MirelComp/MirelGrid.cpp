#include "Components/MirelComp/MirelGrid.h"

TMirelGrid::TMirelGrid(QWidget *parent) : TMCustomDBGrid(parent) {}
