// Icon button bars and function-key buttons, drawn through memory DCs.
#include "button_widgets.h"

static void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void IconBarInit(IconButtonBar* bar, int x, int y)
{
    *bar = IconButtonBar{};
    bar->x = x;
    bar->y = y;
}

int IconBarAdd(IconButtonBar* bar, HICON icon, int command, int group, int separatorBefore)
{
    if (bar->count >= ICON_BAR_MAX_BUTTONS) return 1;
    IconButton* b = &bar->buttons[bar->count++];
    *b = IconButton{icon, command, group, ICON_NORMAL, separatorBefore};
    return 0;
}

int IconBarButtonX(const IconButtonBar* bar, int index)
{
    int x = 0;
    for (int i = 0; i <= index && i < bar->count; ++i) {
        if (bar->buttons[i].separatorBefore) x += ICON_BAR_SEPARATOR;
        if (i < index) x += ICON_BAR_PITCH;
    }
    return x;
}

int IconBarWidth(const IconButtonBar* bar)
{
    return bar->count ? IconBarButtonX(bar, bar->count - 1) + ICON_BAR_PITCH + 1 : 0;
}

int IconBarHitTest(const IconButtonBar* bar, POINT point)
{
    if (point.y < bar->y || point.y >= bar->y + ICON_BAR_PITCH) return ICON_BAR_NONE;
    for (int i = 0; i < bar->count; ++i) {
        int left = bar->x + IconBarButtonX(bar, i);
        if (point.x >= left && point.x < left + ICON_BAR_PITCH) return i;
    }
    return ICON_BAR_NONE;
}

int IconBarHover(IconButtonBar* bar, int index)
{
    int changed = 0;
    for (int i = 0; i < bar->count; ++i) {
        IconButton* b = &bar->buttons[i];
        if (i == index) {
            if (b->state == ICON_NORMAL) {
                b->state = ICON_SUNKEN;
                changed = 1;
            }
        } else if (b->state == ICON_SUNKEN) {
            b->state = ICON_NORMAL;
            changed = 1;
        }
    }
    return changed;
}

void IconBarDraw(const IconButtonBar* bar, HDC dc)
{
    HDC work = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 27, 27);
    HGDIOBJ oldBitmap = SelectObject(work, bitmap);
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < bar->count; ++i) {
        const IconButton* b = &bar->buttons[i];
        int left = bar->x + IconBarButtonX(bar, i);
        if (b->separatorBefore) {
            RECT gap = {left - ICON_BAR_SEPARATOR, bar->y, left - 1, bar->y + ICON_BAR_PITCH};
            FillRect(dc, &gap, face);
            Line(dc, RGB(150, 150, 150), left - 4, bar->y + 1, left - 4, bar->y + ICON_BAR_PITCH - 1);
            Line(dc, RGB(255, 255, 255), left - 3, bar->y + 1, left - 3, bar->y + ICON_BAR_PITCH - 1);
        }
        RECT box = {0, 0, 27, 27};
        FillRect(work, &box, face);
        if (b->icon) DrawIconEx(work, 3, 3, b->icon, 16, 16, 0, NULL, DI_NORMAL);
        if (b->state == ICON_RAISED || b->state == ICON_SUNKEN) {
            COLORREF light = RGB(255, 255, 255), dark = RGB(130, 130, 130);
            COLORREF topLeft = b->state == ICON_RAISED ? light : dark;
            COLORREF bottomRight = b->state == ICON_RAISED ? dark : light;
            Line(work, topLeft, 0, 21, 0, 0);
            Line(work, topLeft, 0, 0, 22, 0);
            Line(work, bottomRight, 22, 0, 22, 21);
            Line(work, bottomRight, 0, 21, 23, 21);
        }
        BitBlt(dc, left, bar->y, 23, 22, work, 0, 0, SRCCOPY);
    }
    DeleteObject(face);
    SelectObject(work, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(work);
}

void FunctionKeyDraw(const FunctionKeyButton* button, HDC dc)
{
    int w = button->rect.right - button->rect.left, h = button->rect.bottom - button->rect.top;
    if (w <= 0 || h <= 0) return;
    const int margin = 10;
    HDC work = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w + 2 * margin, h + 2 * margin);
    HGDIOBJ oldBitmap = SelectObject(work, bitmap);
    COLORREF faceColor = GetSysColor(COLOR_BTNFACE);
    HBRUSH face = CreateSolidBrush(faceColor);
    RECT all = {0, 0, w + 2 * margin, h + 2 * margin};
    FillRect(work, &all, face);

    int plain = button->state == 0 || (button->state == 2 && button->secondMark == 0);
    COLORREF text = RGB(0, 0, 0);
    if (button->state == 2 && button->secondMark == 0) text = button->ownColor;
    HBRUSH fill = plain ? face : CreateSolidBrush(RGB(255, 255, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(work, pen);
    HGDIOBJ oldBrush = SelectObject(work, fill);
    RoundRect(work, margin, margin, margin + w, margin + h, 5, 5);
    SelectObject(work, oldBrush);
    SelectObject(work, oldPen);
    DeleteObject(pen);
    if (fill != face) DeleteObject(fill);
    if (button->icon) DrawIconEx(work, margin + 8, margin + (h - 16) / 2, button->icon, 16, 16, 0, NULL, DI_NORMAL);
    HGDIOBJ oldFont = SelectObject(work, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(work, TRANSPARENT);
    SetTextColor(work, text);
    RECT caption = {margin + 25, margin, margin + w, margin + h};
    DrawTextW(work, button->caption, -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(work, oldFont);
    BitBlt(dc, button->rect.left, button->rect.top, w, h, work, margin, margin, SRCCOPY);
    DeleteObject(face);
    SelectObject(work, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(work);
}
