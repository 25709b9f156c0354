// RAR 5.0 reader (not yet able to read anything).
#include "rar_reader.h"

namespace fyxrar {
std::unique_ptr<Reader> CreateRar5Reader() { return nullptr; }
}  // namespace fyxrar
