// The note list's icons (bitmap IDB_LIST_ICONS: open folder, closed folder,
// note), drawn at the screen's DPI: 16 pixels at 96 DPI, 24 at 144.
#pragma once

class CImageList;

// The screen's logical pixels per inch (96 at 100%).
int ScreenDpi();
// `pixels` at 96 DPI, at `dpi`.
int ScaleToDpi(int pixels, int dpi);
// Fills `icons` with the three images at `dpi`; false when that fails.
bool CreateListIcons(CImageList& icons, int dpi);
