#pragma once
// The program's bitmaps, drawn in code so they scale cleanly and need no binary files.
// Identifiers are those the frame and the link pages ask for.
#include <QPixmap>

namespace resources {

enum BitmapId : int {
    IDB_BACKGROUND = 201,   // client area background
    IDB_BAND = 202,         // tool-bar band
    IDB_LINK_CLOSED = 203,  // link page toggle: closed
    IDB_LINK_OPEN = 204,    // link page toggle: open
    IDB_TOOLBAR_CLOSED = 205,
    IDB_TOOLBAR_FAULT = 210,
    IDB_TOOLBAR_OPEN = 211,
};

constexpr int kToolBarImageSize = 25;
constexpr int kToolBarImageCount = 10;

// One 25 x 25 image of a tool-bar set (205, 210 or 211), index 0 to 9; null for other ids.
QPixmap ToolBarImage(int setId, int index);

// Bitmaps 201 to 204; null for other ids.
QPixmap LoadBitmap(int id);

}  // namespace resources
