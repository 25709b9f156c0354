// The keys and the mouse drag that select: Insert, Space with directory
// sizes, Shift with the cursor keys, the right-button drag, and the jumps to
// the next or previous selected entry.
#include "panel_select.h"

#include <string>

#include "fsk.h"
#include "panel_format.h"

static int MaxTopRow(const Panel* panel, int rows) {
    return panel->total > rows ? panel->total - rows : 0;
}

static int Visible(const Panel* panel, int position, int rows) {
    return position >= panel->topRow && position < panel->topRow + rows;
}

int PanelCursorDownOneRow(Panel* panel, int visibleRows) {
    int rows = visibleRows < 1 ? 1 : visibleRows;
    if (panel->total <= 0) return 0;
    if (panel->cursor < 0 || panel->cursor >= panel->total) panel->cursor = 0;
    if (panel->cursor >= panel->total - 1) {
        if (panel->cursor < panel->topRow) panel->topRow = panel->cursor;
        else if (!Visible(panel, panel->cursor, rows)) panel->topRow = panel->cursor - rows + 1;
        return 0;
    }
    if (panel->cursor == panel->topRow + rows - 1) panel->topRow++;
    panel->cursor++;
    if (!Visible(panel, panel->cursor, rows)) {
        int top = MaxTopRow(panel, rows);
        panel->topRow = panel->cursor < top ? panel->cursor : top;
    }
    return 1;
}

int PanelInsertKey(Panel* panel, int visibleRows) {
    if (panel->total <= 0) return 0;
    if (panel->cursor < 0 || panel->cursor >= panel->total) panel->cursor = 0;
    int left = panel->cursor;
    int moved = PanelCursorDownOneRow(panel, visibleRows);
    PanelToggleEntry(panel, left);
    return moved;
}

static std::wstring JoinName(const wchar_t* directory, const wchar_t* name) {
    std::wstring path(directory);
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += name;
    return path;
}

// Shows a freshly measured size in the entry, widening the Size column when
// the text needs it.
static void ShowDirectorySize(Panel* panel, PanelEntry* e, uint64_t size) {
    int wasKnown = (e->flags & EF_SIZE_KNOWN) != 0;
    if (e->flags & EF_SELECTED) {
        // A re-measured size replaces the counted one, so unselecting later
        // subtracts what was added.
        uint64_t old = wasKnown ? e->size : 0;
        panel->selectedBytes = panel->selectedBytes >= old ? panel->selectedBytes - old : 0;
        panel->selectedBytes += size;
    }
    e->flags |= EF_SIZE_KNOWN;
    e->size = size;
    wchar_t text[PANEL_SIZE_TEXT_CHARS];
    PanelFormatSizeText(size, panel->settings.sizeFormat, text);
    size_t n = wcslen(text);
    const wchar_t* stored = TextStoreAdd(&panel->text, text, n);
    if (stored) e->sizeText = stored;
    int width = TextMeasureWidth(&panel->measure, text, n, 2);
    panel->columns.sizeWidth = width;
    if (width > panel->columns.sizeMax) {
        panel->columns.sizeMax = width;
        if (panel->columnLayout) panel->columnLayout(panel);
    }
}

int PanelSpaceKey(Panel* panel, int shiftHeld, int visibleRows, PanelArchiveDirectorySize archiveSize) {
    if (panel->total <= 0) return 0;
    if (panel->cursor < 0 || panel->cursor >= panel->total) panel->cursor = 0;
    PanelEntry* e = panel->view[panel->cursor];
    int result = 0;
    int measure = (e->flags & EF_DIRECTORY) && !(e->flags & EF_PARENT) &&
                  (!(e->flags & EF_SIZE_KNOWN) || shiftHeld);
    int mode = panel->settings.panelMode;
    if (measure && (mode == PANEL_FILESYSTEM || (mode == PANEL_ARCHIVE && archiveSize))) {
        uint64_t size = mode == PANEL_FILESYSTEM
                            ? FYX_FSK_GetDirectorySizeInBytes(JoinName(panel->currentPath, e->name).c_str())
                            : archiveSize(panel, e);
        // An unreadable directory keeps an unknown size rather than showing
        // the all-ones marker as bytes.
        if (size == ~0ull) {
            result |= SPACE_UNREADABLE;
        } else {
            ShowDirectorySize(panel, e, size);
            result |= SPACE_COMPUTED;
        }
    }
    if (PanelInsertKey(panel, visibleRows)) result |= SPACE_MOVED;
    int sorting = panel->settings.sortMode;
    if ((result & SPACE_COMPUTED) && (sorting & SORT_SIZE) && (sorting & SORT_DIRS)) {
        // A file-system listing is read again (the size is carried over by
        // name); other listings cannot be re-read cheaply and are re-sorted.
        if (mode == PANEL_FILESYSTEM) PanelRefresh(panel);
        else PanelResort(panel);
        result |= SPACE_REFRESHED;
    }
    return result;
}

void PanelShiftPressed(PanelSelection* selection, const Panel* panel, int repeat) {
    if (repeat && selection->moveMode != MOVE_SELECT_NONE) return;
    int selected = panel->total > 0 && panel->cursor >= 0 && panel->cursor < panel->total &&
                   (panel->view[panel->cursor]->flags & EF_SELECTED);
    selection->moveMode = selected ? MOVE_SELECT_OFF : MOVE_SELECT_ON;
}

void PanelShiftReleased(PanelSelection* selection) { selection->moveMode = MOVE_SELECT_NONE; }

void PanelApplyMoveSelection(PanelSelection* selection, Panel* panel, int shiftHeld, int kind,
                             int oldCursor, int newCursor) {
    if (!shiftHeld && !selection->drag.active) selection->moveMode = MOVE_SELECT_NONE;
    int mode = selection->moveMode;
    if ((mode != MOVE_SELECT_ON && mode != MOVE_SELECT_OFF) || panel->total <= 0) return;
    int last = panel->total - 1;
    int from, to;
    switch (kind) {
    case MOVE_UP:
    case MOVE_DOWN:
        from = to = oldCursor;
        break;
    case MOVE_PAGE_DOWN:
        from = oldCursor;
        to = newCursor >= last ? last : newCursor - 1;
        break;
    case MOVE_PAGE_UP:
        from = newCursor <= 0 ? 0 : newCursor + 1;
        to = oldCursor;
        break;
    case MOVE_HOME:
        from = 0;
        to = oldCursor;
        break;
    case MOVE_END:
        from = oldCursor;
        to = last;
        break;
    default:
        return;
    }
    if (to < from) return;
    PanelSelectRangeInclusive(panel, from, to, mode);
}

int PanelDragBegin(PanelSelection* selection, Panel* panel, int position) {
    if (position < 0 || position >= panel->total) return 1;
    int wasSelected = (panel->view[position]->flags & EF_SELECTED) != 0;
    PanelToggleEntry(panel, position);
    panel->cursor = position;
    selection->drag.active = 1;
    selection->drag.panelIndex = panel->index;
    selection->drag.anchor = position;
    selection->drag.mode = wasSelected ? MOVE_SELECT_OFF : MOVE_SELECT_ON;
    // The auto-scroll moves select the way Shift movement does.
    selection->moveMode = selection->drag.mode;
    return 0;
}

void PanelDragMoveTo(PanelSelection* selection, Panel* panel, int position) {
    if (!selection->drag.active || panel->index != selection->drag.panelIndex || panel->total <= 0) return;
    if (position < 0) position = 0;
    if (position >= panel->total) position = panel->total - 1;
    PanelSelectRangeInclusive(panel, selection->drag.anchor, position, selection->drag.mode);
    panel->cursor = position;
}

void PanelDragEnd(PanelSelection* selection) {
    if (!selection->drag.active) return;
    selection->drag.active = 0;
    selection->moveMode = MOVE_SELECT_NONE;
}

int PanelDragScrollKind(int pointerY, int listTop, int listBottom) {
    if (pointerY < listTop) return listTop - pointerY < 40 ? MOVE_UP : MOVE_PAGE_UP;
    if (pointerY >= listBottom) return pointerY - listBottom < 30 ? MOVE_DOWN : MOVE_PAGE_DOWN;
    return 0;
}

int PanelGoToSelected(Panel* panel, int forward, int visibleRows) {
    int rows = visibleRows < 1 ? 1 : visibleRows;
    int total = panel->total;
    if (total <= 0) return 0;
    int cursor = panel->cursor >= 0 && panel->cursor < total ? panel->cursor : 0;
    for (int k = 1; k < total; k++) {
        int i = forward ? (cursor + k) % total : (cursor - k + total) % total;
        const PanelEntry* e = panel->view[i];
        if (!(e->flags & EF_SELECTED) || (e->flags & EF_PARENT)) continue;
        panel->cursor = i;
        if (!Visible(panel, i, rows)) {
            int top = forward ? i - rows + 1 : i;
            int max = MaxTopRow(panel, rows);
            panel->topRow = top < 0 ? 0 : top > max ? max : top;
        }
        return 1;
    }
    return 0;
}
