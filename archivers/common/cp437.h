// Code page 437, the MS-DOS OEM set that ZIP and RAR archives use for names
// without a Unicode form. Portable: no Win32 here.
#pragma once

#include <stdint.h>

namespace fyxarchive {

// Code points of the bytes 0x80 to 0xFF.
extern const uint16_t kCp437High[128];

}  // namespace fyxarchive
