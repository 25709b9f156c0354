// Hashes, HMAC, PBKDF2 and AES through Windows CNG. bcrypt.dll is bound at
// run time so the libraries still load on systems older than Vista, where
// Available() is false and encrypted entries are refused.
#include "fyxcrypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <string.h>


namespace fyxcrypto {
namespace {

typedef NTSTATUS(WINAPI* OpenAlgorithmFn)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
typedef NTSTATUS(WINAPI* SetPropertyFn)(BCRYPT_HANDLE, LPCWSTR, PUCHAR, ULONG, ULONG);
typedef NTSTATUS(WINAPI* CreateHashFn)(BCRYPT_ALG_HANDLE, BCRYPT_HASH_HANDLE*, PUCHAR, ULONG,
                                       PUCHAR, ULONG, ULONG);
typedef NTSTATUS(WINAPI* HashDataFn)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
typedef NTSTATUS(WINAPI* FinishHashFn)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
typedef NTSTATUS(WINAPI* DestroyHashFn)(BCRYPT_HASH_HANDLE);
typedef NTSTATUS(WINAPI* DuplicateHashFn)(BCRYPT_HASH_HANDLE, BCRYPT_HASH_HANDLE*, PUCHAR, ULONG,
                                          ULONG);
typedef NTSTATUS(WINAPI* GenerateKeyFn)(BCRYPT_ALG_HANDLE, BCRYPT_KEY_HANDLE*, PUCHAR, ULONG,
                                        PUCHAR, ULONG, ULONG);
typedef NTSTATUS(WINAPI* DestroyKeyFn)(BCRYPT_KEY_HANDLE);
typedef NTSTATUS(WINAPI* CryptFn)(BCRYPT_KEY_HANDLE, PUCHAR, ULONG, VOID*, PUCHAR, ULONG, PUCHAR,
                                  ULONG, ULONG*, ULONG);
typedef NTSTATUS(WINAPI* DeriveKeyPbkdf2Fn)(BCRYPT_ALG_HANDLE, PUCHAR, ULONG, PUCHAR, ULONG,
                                            ULONGLONG, PUCHAR, ULONG, ULONG);

// Entry points and the algorithm providers, opened once per process and kept
// for its life (providers are costly to open and safe to share between threads).
struct Cng {
    bool ok = false;
    OpenAlgorithmFn openAlgorithm = nullptr;
    SetPropertyFn setProperty = nullptr;
    CreateHashFn createHash = nullptr;
    HashDataFn hashData = nullptr;
    FinishHashFn finishHash = nullptr;
    DestroyHashFn destroyHash = nullptr;
    DuplicateHashFn duplicateHash = nullptr;
    GenerateKeyFn generateKey = nullptr;
    DestroyKeyFn destroyKey = nullptr;
    CryptFn encrypt = nullptr;
    CryptFn decrypt = nullptr;
    DeriveKeyPbkdf2Fn deriveKeyPbkdf2 = nullptr;  // Windows 7 on; may be missing
    BCRYPT_ALG_HANDLE sha[2] = {nullptr, nullptr};
    BCRYPT_ALG_HANDLE hmac[2] = {nullptr, nullptr};
    BCRYPT_ALG_HANDLE aesEcb = nullptr;
};

template <typename T>
bool Bind(HMODULE module, const char* name, T* fn) {
    *fn = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return *fn != nullptr;
}

bool OpenAes(Cng& c, const wchar_t* mode, BCRYPT_ALG_HANDLE* out) {
    if (c.openAlgorithm(out, BCRYPT_AES_ALGORITHM, nullptr, 0) != 0) return false;
    ULONG bytes = static_cast<ULONG>((wcslen(mode) + 1) * sizeof(wchar_t));
    return c.setProperty(*out, BCRYPT_CHAINING_MODE,
                         reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(mode)), bytes, 0) == 0;
}

bool LoadCng(Cng& c) {
    HMODULE module = LoadLibraryW(L"bcrypt.dll");
    if (!module) return false;
    bool bound = Bind(module, "BCryptOpenAlgorithmProvider", &c.openAlgorithm) &&
                 Bind(module, "BCryptSetProperty", &c.setProperty) &&
                 Bind(module, "BCryptCreateHash", &c.createHash) &&
                 Bind(module, "BCryptHashData", &c.hashData) &&
                 Bind(module, "BCryptFinishHash", &c.finishHash) &&
                 Bind(module, "BCryptDestroyHash", &c.destroyHash) &&
                 Bind(module, "BCryptDuplicateHash", &c.duplicateHash) &&
                 Bind(module, "BCryptGenerateSymmetricKey", &c.generateKey) &&
                 Bind(module, "BCryptDestroyKey", &c.destroyKey) &&
                 Bind(module, "BCryptEncrypt", &c.encrypt) &&
                 Bind(module, "BCryptDecrypt", &c.decrypt);
    if (!bound) return false;
    Bind(module, "BCryptDeriveKeyPBKDF2", &c.deriveKeyPbkdf2);
    const wchar_t* names[2] = {BCRYPT_SHA1_ALGORITHM, BCRYPT_SHA256_ALGORITHM};
    for (int i = 0; i < 2; ++i) {
        if (c.openAlgorithm(&c.sha[i], names[i], nullptr, 0) != 0) return false;
        if (c.openAlgorithm(&c.hmac[i], names[i], nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG) != 0)
            return false;
    }
    return OpenAes(c, BCRYPT_CHAIN_MODE_ECB, &c.aesEcb);
}

Cng& Api() {
    static Cng cng;
    static bool loaded = (cng.ok = LoadCng(cng), true);
    (void)loaded;
    return cng;
}

int Index(HashKind kind) { return kind == kSha256 ? 1 : 0; }

bool ValidKind(HashKind kind) { return kind == kSha1 || kind == kSha256; }

}  // namespace

bool Available() { return Api().ok; }

size_t HashSize(HashKind kind) { return kind == kSha1 ? 20 : 32; }

Hash::Hash() : algorithm_(nullptr), hash_(nullptr), kind_(kSha1) {}

Hash::~Hash() { Reset(); }

void Hash::Reset() {
    if (hash_) Api().destroyHash(static_cast<BCRYPT_HASH_HANDLE>(hash_));
    hash_ = nullptr;
    algorithm_ = nullptr;
}

bool Hash::Begin(HashKind kind, const uint8_t* hmacKey, size_t hmacKeyLength) {
    Reset();
    Cng& c = Api();
    if (!c.ok || !ValidKind(kind)) return false;
    bool keyed = hmacKey != nullptr;
    BCRYPT_ALG_HANDLE algorithm = keyed ? c.hmac[Index(kind)] : c.sha[Index(kind)];
    // An HMAC with an empty key still needs a non-null key pointer.
    static UCHAR emptyKey[1] = {0};
    PUCHAR key = keyed ? (hmacKeyLength ? const_cast<PUCHAR>(hmacKey) : emptyKey) : nullptr;
    BCRYPT_HASH_HANDLE handle = nullptr;
    if (c.createHash(algorithm, &handle, nullptr, 0, key, static_cast<ULONG>(hmacKeyLength), 0) != 0)
        return false;
    algorithm_ = algorithm;
    hash_ = handle;
    kind_ = kind;
    return true;
}

bool Hash::Update(const void* data, size_t length) {
    if (!hash_) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (length > 0) {
        ULONG piece = length > 0x40000000 ? 0x40000000 : static_cast<ULONG>(length);
        if (Api().hashData(static_cast<BCRYPT_HASH_HANDLE>(hash_), const_cast<PUCHAR>(p), piece, 0) != 0)
            return false;
        p += piece;
        length -= piece;
    }
    return true;
}

bool Hash::Finish(uint8_t* digest) {
    if (!hash_) return false;
    bool ok = Api().finishHash(static_cast<BCRYPT_HASH_HANDLE>(hash_), digest,
                               static_cast<ULONG>(HashSize(kind_)), 0) == 0;
    Reset();
    return ok;
}

namespace {

// PBKDF2 from the HMAC primitive, for systems without BCryptDeriveKeyPBKDF2.
// The keyed HMAC state is made once and duplicated for every step.
bool Pbkdf2FromHmac(HashKind kind, const uint8_t* password, size_t passwordLength,
                    const uint8_t* salt, size_t saltLength, uint32_t iterations, uint8_t* out,
                    size_t outLength) {
    Cng& c = Api();
    static UCHAR emptyKey[1] = {0};
    PUCHAR key = passwordLength ? const_cast<PUCHAR>(password) : emptyKey;
    BCRYPT_HASH_HANDLE keyed = nullptr;
    if (c.createHash(c.hmac[Index(kind)], &keyed, nullptr, 0, key,
                     static_cast<ULONG>(passwordLength), 0) != 0)
        return false;
    const size_t h = HashSize(kind);
    uint8_t u[32], t[32];
    bool ok = true;
    for (uint32_t block = 1; ok && outLength > 0; ++block) {
        uint8_t counter[4] = {uint8_t(block >> 24), uint8_t(block >> 16), uint8_t(block >> 8),
                              uint8_t(block)};
        for (uint32_t i = 0; ok && i < iterations; ++i) {
            BCRYPT_HASH_HANDLE step = nullptr;
            ok = c.duplicateHash(keyed, &step, nullptr, 0, 0) == 0;
            if (!ok) break;
            if (i == 0) {
                ok = c.hashData(step, const_cast<PUCHAR>(salt), static_cast<ULONG>(saltLength), 0) == 0 &&
                     c.hashData(step, counter, 4, 0) == 0;
            } else {
                ok = c.hashData(step, u, static_cast<ULONG>(h), 0) == 0;
            }
            ok = ok && c.finishHash(step, u, static_cast<ULONG>(h), 0) == 0;
            c.destroyHash(step);
            if (i == 0) {
                memcpy(t, u, h);
            } else {
                for (size_t k = 0; k < h; ++k) t[k] ^= u[k];
            }
        }
        size_t take = outLength < h ? outLength : h;
        memcpy(out, t, take);
        out += take;
        outLength -= take;
    }
    c.destroyHash(keyed);
    return ok;
}

}  // namespace

bool Pbkdf2(HashKind kind, const uint8_t* password, size_t passwordLength, const uint8_t* salt,
            size_t saltLength, uint32_t iterations, uint8_t* out, size_t outLength) {
    Cng& c = Api();
    if (!c.ok || !ValidKind(kind) || iterations == 0) return false;
    if (c.deriveKeyPbkdf2 && passwordLength > 0) {
        NTSTATUS status = c.deriveKeyPbkdf2(c.hmac[Index(kind)], const_cast<PUCHAR>(password),
                                            static_cast<ULONG>(passwordLength), const_cast<PUCHAR>(salt),
                                            static_cast<ULONG>(saltLength), iterations, out,
                                            static_cast<ULONG>(outLength), 0);
        if (status == 0) return true;
    }
    return Pbkdf2FromHmac(kind, password, passwordLength, salt, saltLength, iterations, out, outLength);
}

Aes::Aes() : ecb_(nullptr), cbc_(nullptr), ecbKey_(nullptr), cbcKey_(nullptr) {}

Aes::~Aes() { Reset(); }

void Aes::Reset() {
    if (ecbKey_) Api().destroyKey(static_cast<BCRYPT_KEY_HANDLE>(ecbKey_));
    if (cbcKey_) Api().destroyKey(static_cast<BCRYPT_KEY_HANDLE>(cbcKey_));
    ecbKey_ = cbcKey_ = nullptr;
    ecb_ = cbc_ = nullptr;
}

bool Aes::SetKey(const uint8_t* key, size_t keyLength) {
    Reset();
    Cng& c = Api();
    if (!c.ok || (keyLength != 16 && keyLength != 24 && keyLength != 32)) return false;
    // One ECB key serves both directions; CBC chaining is done in DecryptCbc.
    BCRYPT_KEY_HANDLE ecb = nullptr;
    if (c.generateKey(c.aesEcb, &ecb, nullptr, 0, const_cast<PUCHAR>(key),
                      static_cast<ULONG>(keyLength), 0) != 0)
        return false;
    ecb_ = c.aesEcb;
    ecbKey_ = ecb;
    return true;
}

bool Aes::EncryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks) {
    if (!ecbKey_) return false;
    ULONG bytes = static_cast<ULONG>(blocks * 16);
    ULONG written = 0;
    return Api().encrypt(static_cast<BCRYPT_KEY_HANDLE>(ecbKey_), const_cast<PUCHAR>(in), bytes,
                         nullptr, nullptr, 0, out, bytes, &written, 0) == 0 &&
           written == bytes;
}

bool Aes::DecryptCbc(uint8_t iv[16], const uint8_t* in, uint8_t* out, size_t length) {
    if (!ecbKey_ || length % 16 != 0) return false;
    // Chaining is done here over ECB block decryption: CNG implementations differ
    // in whether a key keeps its chaining state between calls.
    uint8_t previous[16], cipher[16], plain[4096];
    memcpy(previous, iv, 16);
    while (length > 0) {
        ULONG piece = static_cast<ULONG>(length < sizeof(plain) ? length : sizeof(plain));
        ULONG written = 0;
        if (Api().decrypt(static_cast<BCRYPT_KEY_HANDLE>(ecbKey_), const_cast<PUCHAR>(in), piece,
                          nullptr, nullptr, 0, plain, piece, &written, 0) != 0 ||
            written != piece)
            return false;
        for (ULONG b = 0; b < piece; b += 16) {
            memcpy(cipher, in + b, 16);  // `out` may be `in`
            for (int k = 0; k < 16; ++k) out[b + k] = plain[b + k] ^ previous[k];
            memcpy(previous, cipher, 16);
        }
        in += piece;
        out += piece;
        length -= piece;
    }
    memcpy(iv, previous, 16);
    return true;
}

}  // namespace fyxcrypto
