// Images of the call-log toolbar's image list `Image`, drawn with QPainter.
#pragma once

#include <QIcon>

// Image 1..15 of the list (numbers as the toolbar refers to them).
QIcon IconoBarra(int imagen);
