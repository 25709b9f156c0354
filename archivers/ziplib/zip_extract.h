// Unpacking one entry: decryption, inflation, size and CRC checks.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "zip_reader.h"

namespace fyxzip {

// Receives the unpacked bytes in order; false stops the work (cancel or a
// write error, which the sink itself remembers).
class Sink {
public:
    virtual ~Sink() {}
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

// Checks the password before any byte reaches the sink: kNeedPassword when an
// encrypted entry gets an empty one, kBadPassword when the check fails.
// Returns kOk only when the data, its size and its CRC (or MAC) are right.
Result ExtractEntry(const Archive& archive, const Entry& entry, const std::string& password, Sink& sink);

// True when the core can unpack this entry's method and encryption here.
bool CanExtract(const Entry& entry);

}  // namespace fyxzip
