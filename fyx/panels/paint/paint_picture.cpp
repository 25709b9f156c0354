// Loading panel pictures and choosing the next one.
#include "paint_picture.h"

#include <wchar.h>

int PaintListPictureFolder(const wchar_t* pictureFile, std::vector<std::wstring>* out) {
    out->clear();
    std::wstring folder(pictureFile ? pictureFile : L"");
    size_t slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 1;
    // Folders (with "." and "..") are left out by their attribute, not by
    // their place in the enumeration, which no file system promises.
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            out->push_back(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return 0;
}

int PaintShowPicture(PaintSurfaces* s, int side, const wchar_t* path, COLORREF background) {
    const PaintSurface* surface = &s->background[side ? 1 : 0];
    PaintFillSurface(surface, s->width, s->height, background);
    s->backgroundHasPicture[side ? 1 : 0] = 0;
    HBITMAP picture = path && *path ? (HBITMAP)LoadImageW(NULL, path, IMAGE_BITMAP, 0, 0,
                                                          LR_LOADFROMFILE | LR_CREATEDIBSECTION)
                                    : NULL;
    if (!picture) return 1;
    BITMAP info;
    GetObjectW(picture, sizeof(info), &info);
    HDC dc = CreateCompatibleDC(surface->dc);
    HGDIOBJ old = SelectObject(dc, picture);
    BitBlt(surface->dc, 0, 0, info.bmWidth, info.bmHeight, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
    s->backgroundHasPicture[side ? 1 : 0] = 1;
    return 0;
}

int PaintStartPicture(PanelPicture* p, PaintSurfaces* s, int side, int mode, const wchar_t* file,
                      COLORREF background) {
    p->mode = mode;
    p->files.clear();
    p->next = 0;
    if (mode == PICTURE_ONE_FILE) return PaintShowPicture(s, side, file, background);
    if (mode == PICTURE_EVERY_FILE) {
        PaintListPictureFolder(file, &p->files);
        return PaintNextPicture(p, s, side, background);
    }
    PaintShowPicture(s, side, NULL, background);
    return 1;
}

int PaintNextPicture(PanelPicture* p, PaintSurfaces* s, int side, COLORREF background) {
    if (p->mode != PICTURE_EVERY_FILE || p->files.empty()) return 1;
    // A file that is no picture is passed over, once round the list at most.
    for (size_t tries = 0; tries < p->files.size(); tries++) {
        const std::wstring& path = p->files[p->next];
        p->next = (p->next + 1) % p->files.size();
        if (PaintShowPicture(s, side, path.c_str(), background) == 0) return 0;
    }
    return 1;
}

void PaintBackgroundSource(int side, int leftPictureOver, int leftShowsPicture, int panelLeft,
                           int leftPanelLeft, int* surface, int* x) {
    *surface = side ? 1 : 0;
    *x = 0;
    if (side == 1 && leftPictureOver && leftShowsPicture) {
        *surface = 0;
        *x = panelLeft - leftPanelLeft;
    }
}
