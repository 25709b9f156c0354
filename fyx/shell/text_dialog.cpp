// A small dialog with a label, one edit line, OK and Cancel, built in
// memory so that each caller only gives its texts.
#include "input.h"

#include <string.h>
#include <wchar.h>

#include <vector>

namespace {

// A dialog template in memory: WORD-aligned parts, each item DWORD-aligned.
struct TemplateWriter {
    std::vector<WORD> words;
    void Word(WORD w) { words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) {
        for (; *s; ++s) Word((WORD)*s);
        Word(0);
    }
    void AlignDword() {
        if (words.size() % 2) Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
        AlignDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word((WORD)x);
        Word((WORD)y);
        Word((WORD)cx);
        Word((WORD)cy);
        Word(id);
        Word(0xFFFF);  // predefined class by atom
        Word(atom);
        Word(0);  // text is set at WM_INITDIALOG
        Word(0);  // no creation data
    }
};

const WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;
const int kLabelId = 1001;

void SelectAllAndFocus(HWND dialog) {
    HWND edit = GetDlgItem(dialog, TEXT_DIALOG_EDIT_ID);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK TextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    TextDialog* d = (TextDialog*)GetWindowLongPtrW(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        d = (TextDialog*)lParam;
        SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)d);
        SetWindowTextW(dialog, d->title);
        SetDlgItemTextW(dialog, kLabelId, d->label);
        SetDlgItemTextW(dialog, IDOK, d->ok);
        SetDlgItemTextW(dialog, IDCANCEL, d->cancel);
        SendDlgItemMessageW(dialog, TEXT_DIALOG_EDIT_ID, EM_LIMITTEXT, PANEL_PATH_CHARS - 1, 0);
        SetDlgItemTextW(dialog, TEXT_DIALOG_EDIT_ID, d->text);
        SelectAllAndFocus(dialog);
        return FALSE;  // the focus is set
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && d) SelectAllAndFocus(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextW(dialog, TEXT_DIALOG_EDIT_ID, d->text, PANEL_PATH_CHARS);
            if (!d->text[0] && d->keepOpenWhenEmpty) return TRUE;
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

int AskText(HWND owner, TextDialog* dialog) {
    TemplateWriter t;
    t.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
    t.Dword(0);
    t.Word(4);  // items
    t.Word(0);
    t.Word(0);
    t.Word(200);
    t.Word(62);
    t.Word(0);  // no menu
    t.Word(0);  // standard class
    t.Word(0);  // title set at WM_INITDIALOG
    t.Word(8);
    t.Text(L"MS Shell Dlg");
    t.Item(SS_LEFT, 7, 7, 186, 10, kLabelId, kStaticAtom);
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 186, 13, TEXT_DIALOG_EDIT_ID, kEditAtom);
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 41, 50, 14, IDOK, kButtonAtom);
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 143, 41, 50, 14, IDCANCEL, kButtonAtom);
    INT_PTR r = DialogBoxIndirectParamW(g_app.instance, (LPCDLGTEMPLATEW)t.words.data(), owner,
                                        TextDialogProc, (LPARAM)dialog);
    return r == 1 ? 1 : 0;
}
