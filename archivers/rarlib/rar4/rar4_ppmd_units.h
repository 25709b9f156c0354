// Layout constants of the PPMd model memory, shared by the model and its allocator.
#pragma once

#include <stdint.h>

namespace fyxrar {
namespace rar4 {

const unsigned kUnitSize = 12;
const unsigned kIndexCount = 38;
// The heap starts one unit in, so that offset 0 never names a block.
const uint32_t kHeapStart = kUnitSize;
// Room after the units for the glue sentinel and a safety margin.
const uint32_t kHeapTail = 2048;

}  // namespace rar4
}  // namespace fyxrar
