// Background pictures of the panels: one file, or every file of its folder in
// turn, drawn at the top-left corner of the panel's background surface.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "paint_surfaces.h"

enum {
    PICTURE_EVERY_FILE = 0,
    PICTURE_ONE_FILE = 1,
    PICTURE_NONE = 2,
};

struct PanelPicture {
    int mode;
    std::vector<std::wstring> files;  // every-file mode, built once
    size_t next;
};

// The files (not folders) of the folder that holds pictureFile, each as the
// folder joined with its name. 0 listed, 1 the folder cannot be read.
int PaintListPictureFolder(const wchar_t* pictureFile, std::vector<std::wstring>* out);
// Loads the picture onto the panel's background over the background colour.
// 0 shown; 1 it cannot be loaded, and the background is the plain colour.
int PaintShowPicture(PaintSurfaces* s, int side, const wchar_t* path, COLORREF background);
// Sets the panel's picture up from its mode and file and shows the first one.
// 0 a picture is shown, 1 none.
int PaintStartPicture(PanelPicture* p, PaintSurfaces* s, int side, int mode, const wchar_t* file,
                      COLORREF background);
// The period elapsed: the next file of the folder, round robin. 0 shown, 1 none.
int PaintNextPicture(PanelPicture* p, PaintSurfaces* s, int side, COLORREF background);
// Where the panel's list takes its background from: the right panel shows the
// part of the left picture at its own offset when the left one serves both.
void PaintBackgroundSource(int side, int leftPictureOver, int leftShowsPicture, int panelLeft,
                           int leftPanelLeft, int* surface, int* x);
