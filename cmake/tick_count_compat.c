/* The static thread runtime of the 32-bit build imports GetTickCount64,
   which Windows before Vista lacks, so no program would load there. This
   provides the import slot itself: the real function where it exists, else
   the 32-bit tick count. */
#include <windows.h>

typedef ULONGLONG(WINAPI* TickCount64Function)(void);

static ULONGLONG WINAPI TickCount64(void) {
    static TickCount64Function real;
    static int looked;
    if (!looked) {
        real = (TickCount64Function)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64");
        looked = 1;
    }
    return real ? real() : (ULONGLONG)GetTickCount();
}

TickCount64Function fyx_tick_count_slot __asm__("__imp__GetTickCount64@0") = TickCount64;
