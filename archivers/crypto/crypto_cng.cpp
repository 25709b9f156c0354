// CNG implementation (filled by the ZIP work; reports failure until then).
#include "fyxcrypto.h"

namespace fyxcrypto {

bool Available() { return false; }
size_t HashSize(HashKind kind) { return kind == kSha1 ? 20 : 32; }

Hash::Hash() : algorithm_(nullptr), hash_(nullptr), kind_(kSha1) {}
Hash::~Hash() {}
void Hash::Reset() {}
bool Hash::Begin(HashKind, const uint8_t*, size_t) { return false; }
bool Hash::Update(const void*, size_t) { return false; }
bool Hash::Finish(uint8_t*) { return false; }

bool Pbkdf2(HashKind, const uint8_t*, size_t, const uint8_t*, size_t, uint32_t, uint8_t*, size_t) {
    return false;
}

Aes::Aes() : ecb_(nullptr), cbc_(nullptr), ecbKey_(nullptr), cbcKey_(nullptr) {}
Aes::~Aes() {}
void Aes::Reset() {}
bool Aes::SetKey(const uint8_t*, size_t) { return false; }
bool Aes::EncryptBlocks(const uint8_t*, uint8_t*, size_t) { return false; }
bool Aes::DecryptCbc(uint8_t*, const uint8_t*, uint8_t*, size_t) { return false; }

}  // namespace fyxcrypto
