// RAR 1.5-4.x reader (not yet able to read anything).
#include "rar_reader.h"

namespace fyxrar {
std::unique_ptr<Reader> CreateRar4Reader() { return nullptr; }
}  // namespace fyxrar
