#pragma once
// The grid side of project files: a page's rows and frame placement to and from the project.
#include "platform/messages.h"

class CGlobal;
class CComboListCtrl;
class QWidget;

void StorePageList(CGlobal& g, const CComboListCtrl& grid, int pageNumber);
// Stores the placement of the page frame that holds `view`.
void StorePagePlacement(CGlobal& g, int pageNumber, const QWidget* view, int active);
// Refills the grid from the open project; nothing happens when the page has no rows there.
void LoadPageList(CGlobal& g, CComboListCtrl& grid, int pageNumber, platform::WindowHandle owner);
// The caption height of a page frame (the same metric on saving and opening).
int PageCaptionHeight();
// The frame holding a page view (its top-level ancestor inside the page area).
const QWidget* PageFrameOf(const QWidget* view);
