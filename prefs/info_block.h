// Shared memory of the hand-over block, set up when a process loads the library.
#pragma once

bool AttachInfoBlock();
void DetachInfoBlock();
