// The exported functions: archive handles over the portable reader.
#include <stddef.h>
#include <string.h>

#include <memory>
#include <new>

#include "rar_reader.h"
#include "unrar.h"
#include "unrar_files.h"
#include "unrar_host.h"
#include "unrar_paths.h"
#include "unrar_text.h"

// Layouts callers compiled against the published interface rely on.
#ifdef _WIN64
static_assert(sizeof(RAROpenArchiveDataEx) == 176, "open data size");
static_assert(offsetof(RAROpenArchiveDataEx, Callback) == 48, "open data callback");
static_assert(offsetof(RAROpenArchiveDataEx, OpFlags) == 64, "open data flags");
static_assert(offsetof(RAROpenArchiveDataEx, CmtBufW) == 68, "open data wide comment");
static_assert(sizeof(RARHeaderDataEx) == 10244, "header data size");
static_assert(offsetof(RARHeaderDataEx, CmtBufSize) == 6196, "header comment size");
static_assert(offsetof(RARHeaderDataEx, DictSize) == 6208, "header dictionary");
static_assert(offsetof(RARHeaderDataEx, RedirName) == 6252, "header link name");
static_assert(offsetof(RARHeaderDataEx, MtimeLow) == 6268, "header times");
static_assert(offsetof(RARHeaderDataEx, FileNameExSize) == 6312, "header long name");
#else
static_assert(sizeof(RAROpenArchiveDataEx) == 148, "open data size");
static_assert(offsetof(RAROpenArchiveDataEx, Callback) == 36, "open data callback");
static_assert(offsetof(RAROpenArchiveDataEx, OpFlags) == 44, "open data flags");
static_assert(offsetof(RAROpenArchiveDataEx, CmtBufW) == 48, "open data wide comment");
static_assert(sizeof(RARHeaderDataEx) == 10228, "header data size");
static_assert(offsetof(RARHeaderDataEx, CmtBufSize) == 6192, "header comment size");
static_assert(offsetof(RARHeaderDataEx, DictSize) == 6204, "header dictionary");
static_assert(offsetof(RARHeaderDataEx, RedirName) == 6248, "header link name");
static_assert(offsetof(RARHeaderDataEx, MtimeLow) == 6260, "header times");
static_assert(offsetof(RARHeaderDataEx, FileNameExSize) == 6296, "header long name");
static_assert(sizeof(RAROpenArchiveData) == 28, "short open data size");
static_assert(sizeof(RARHeaderData) == 572, "short header data size");
#endif
static_assert(offsetof(RARHeaderDataEx, Flags) == 6144, "header flags");
static_assert(offsetof(RARHeaderDataEx, FileAttr) == 6184, "header attributes");

namespace fyxunrar {
namespace {

struct Archive {
    DllHost host;
    std::unique_ptr<fyxrar::Reader> reader;
    fyxrar::ArchiveInfo info;
    fyxrar::EntryInfo entry;
    bool haveEntry = false;
    unsigned openMode = RAR_OM_LIST;
    unsigned opFlags = 0;
};

unsigned ArchiveFlags(const fyxrar::ArchiveInfo& a) {
    unsigned f = 0;
    if (a.volume) f |= ROADF_VOLUME;
    if (a.hasComment) f |= ROADF_COMMENT;
    if (a.locked) f |= ROADF_LOCK;
    if (a.solid) f |= ROADF_SOLID;
    if (a.newNumbering) f |= ROADF_NEWNUMBERING;
    if (a.recoveryRecord) f |= ROADF_RECOVERY;
    if (a.encryptedHeaders) f |= ROADF_ENCHEADERS;
    if (a.firstVolume) f |= ROADF_FIRSTVOLUME;
    return f;
}

// Opens the archive; fills the comment buffers when given.
Archive* Open(const std::wstring& name, unsigned mode, unsigned opFlags, UNRARCALLBACK callback, LPARAM userData,
              char* cmtBuf,
              wchar_t* cmtBufW, unsigned cmtBufSize, unsigned* openResult, unsigned* cmtSize, unsigned* cmtState,
              unsigned* flags) {
    if (mode > RAR_OM_LIST_INCSPLIT) {
        *openResult = ERAR_UNKNOWN;
        return nullptr;
    }
    std::unique_ptr<Archive> a(new (std::nothrow) Archive());
    if (!a) {
        *openResult = ERAR_NO_MEMORY;
        return nullptr;
    }
    a->host.callback = callback;
    a->host.userData = userData;
    a->openMode = mode;
    a->opFlags = opFlags;
    std::unique_ptr<fyxrar::Stream> s = OpenVolumeFile(name);
    if (!s) {
        *openResult = ERAR_EOPEN;
        return nullptr;
    }
    a->host.volume = name;
    fyxrar::Result r = fyxrar::OpenArchive(&a->host, WideToUtf8(name), std::move(s), (fyxrar::OpenMode)mode,
                                           &a->reader, &a->info);
    if (r != fyxrar::kOk) {
        *openResult = (unsigned)r;
        return nullptr;
    }
    *openResult = ERAR_SUCCESS;
    if (flags) *flags = ArchiveFlags(a->info);
    if (cmtSize) *cmtSize = 0;
    if (cmtState) *cmtState = 0;
    if (cmtBufSize > 0 && (cmtBuf || cmtBufW) && a->info.hasComment) {
        std::wstring text = Utf8ToWide(a->info.comment);
        bool whole;
        size_t stored;
        if (cmtBufW) {
            whole = CopyText(text, cmtBufW, cmtBufSize);
            stored = wcslen(cmtBufW) + 1;
        } else {
            whole = CopyText(WideToCodePage(text, CP_ACP), cmtBuf, cmtBufSize);
            stored = strlen(cmtBuf) + 1;
        }
        if (cmtSize) *cmtSize = (unsigned)stored;
        if (cmtState) *cmtState = whole ? 1 : ERAR_SMALL_BUF;
    }
    return a.release();
}

unsigned EntryFlags(const fyxrar::EntryInfo& e) {
    unsigned f = 0;
    if (e.splitBefore) f |= RHDF_SPLITBEFORE;
    if (e.splitAfter) f |= RHDF_SPLITAFTER;
    if (e.encrypted) f |= RHDF_ENCRYPTED;
    if (e.solid) f |= RHDF_SOLID;
    // All three dictionary bits, as callers of the older interface test them.
    if (e.directory) f |= 0xE0;
    return f;
}

unsigned HostOs(const fyxrar::EntryInfo& e) {
    return e.hostOs == fyxrar::kHostUnix || e.hostOs == fyxrar::kHostMacOs || e.hostOs == fyxrar::kHostBeOs ? 3 : 2;
}

unsigned RedirType(const fyxrar::EntryInfo& e) {
    if (e.hardlink) return 4;
    if (e.fileCopy) return 5;
    if (e.symlink) return e.hostOs == fyxrar::kHostUnix ? 1 : 2;
    return 0;
}

// MS-DOS time of the entry in local time.
unsigned DosTime(const fyxrar::EntryInfo& e) {
    if (!e.modified) return e.dosTime;
    FILETIME utc, local;
    utc.dwLowDateTime = (DWORD)e.modified;
    utc.dwHighDateTime = (DWORD)(e.modified >> 32);
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return e.dosTime;
    return ((unsigned)date << 16) | time;
}

std::wstring WindowsName(const std::string& stored) {
    std::wstring name = Utf8ToWide(stored);
    for (wchar_t& c : name)
        if (c == L'/') c = L'\\';
    return name;
}

int ReadHeader(Archive* a) {
    a->haveEntry = false;
    fyxrar::Result r = a->reader->NextEntry(&a->entry);
    if (r != fyxrar::kOk) return (int)r;
    a->haveEntry = true;
    return ERAR_SUCCESS;
}

// Where an entry goes: the caller's full name, or the made-safe stored name
// under the destination folder. Empty when nothing safe is left.
std::wstring OutputPath(const Archive* a, const std::wstring& destPath, const std::wstring& destName) {
    if (!destName.empty()) return destName;
    std::wstring relative = SafeRelativePath(Utf8ToWide(a->entry.name));
    if (relative.empty()) return relative;
    return JoinDestination(destPath, relative);
}

int ExtractTo(Archive* a, const std::wstring& path) {
    const fyxrar::EntryInfo& e = a->entry;
    if (path.empty()) {
        a->reader->Skip();
        return ERAR_ECREATE;
    }
    if (e.directory) {
        fyxrar::Result r = a->reader->Extract(nullptr);
        if (r != fyxrar::kOk) return (int)r;
        return CreateFolderEntry(path, e) ? ERAR_SUCCESS : ERAR_ECREATE;
    }
    if (e.symlink) {
        // Links are not made: their targets could point anywhere.
        a->reader->Skip();
        return ERAR_SUCCESS;
    }
    if (e.hardlink || e.fileCopy) {
        // A copy of an entry extracted before, found beside this one's root.
        a->reader->Skip();
        std::wstring relative = SafeRelativePath(Utf8ToWide(e.name));
        std::wstring targetRel = SafeRelativePath(Utf8ToWide(e.linkTarget));
        if (targetRel.empty() || relative.empty() || path.size() < relative.size() ||
            path.compare(path.size() - relative.size(), relative.size(), relative) != 0)
            return ERAR_EREFERENCE;
        std::wstring source = path.substr(0, path.size() - relative.size()) + targetRel;
        CreateParentFolders(path);
        if (!CopyFileW(Win32Path(source).c_str(), Win32Path(path).c_str(), FALSE)) return ERAR_EREFERENCE;
        return ERAR_SUCCESS;
    }
    OutputFile out;
    if (!out.Create(path)) {
        a->reader->Skip();
        return ERAR_ECREATE;
    }
    fyxrar::Result r = a->reader->Extract(&out);
    if (r == fyxrar::kBadData && (a->opFlags & ROADOF_KEEPBROKEN)) {
        out.SetTimes(e);
        out.Close();
        return (int)r;
    }
    if (r != fyxrar::kOk) {
        out.Discard();
        return (int)r;
    }
    out.SetTimes(e);
    if (!out.Close()) {
        out.Discard();
        return ERAR_ECLOSE;
    }
    SetFileAttributesW(Win32Path(path).c_str(), EntryAttributes(e));
    return ERAR_SUCCESS;
}

int ProcessFile(Archive* a, int operation, const std::wstring& destPath, const std::wstring& destName) {
    if (!a->haveEntry) return ERAR_UNKNOWN;
    a->haveEntry = false;
    int result;
    bool listing = a->openMode != RAR_OM_EXTRACT;
    if (operation == RAR_SKIP || listing) {
        result = (int)a->reader->Skip();
    } else if (operation == RAR_TEST) {
        result = (int)a->reader->Extract(nullptr);
    } else if (operation == RAR_EXTRACT) {
        result = ExtractTo(a, OutputPath(a, destPath, destName));
    } else {
        a->reader->Skip();
        result = ERAR_UNKNOWN;
    }
    // A rejected password is asked for again at the next encrypted file.
    if (result == ERAR_BAD_PASSWORD) a->host.ForgetPassword();
    return result;
}

}  // namespace
}  // namespace fyxunrar

using namespace fyxunrar;

extern "C" {

HANDLE PASCAL RAROpenArchiveEx(struct RAROpenArchiveDataEx* d) {
    if (!d) return NULL;
    std::wstring name = d->ArcNameW && d->ArcNameW[0] ? std::wstring(d->ArcNameW) : CodePageToWide(d->ArcName, CP_ACP);
    return (HANDLE)Open(name, d->OpenMode, d->OpFlags, d->Callback, d->UserData, d->CmtBuf, d->CmtBufW, d->CmtBufSize,
                        &d->OpenResult, &d->CmtSize, &d->CmtState, &d->Flags);
}

HANDLE PASCAL RAROpenArchive(struct RAROpenArchiveData* d) {
    if (!d) return NULL;
    Archive* a = Open(CodePageToWide(d->ArcName, CP_ACP), d->OpenMode, 0, nullptr, 0, d->CmtBuf, nullptr, d->CmtBufSize,
                      &d->OpenResult, &d->CmtSize, &d->CmtState, nullptr);
    return (HANDLE)a;
}

int PASCAL RARCloseArchive(HANDLE h) {
    if (!h) return ERAR_ECLOSE;
    delete (Archive*)h;
    return ERAR_SUCCESS;
}

int PASCAL RARReadHeaderEx(HANDLE h, struct RARHeaderDataEx* d) {
    if (!h || !d) return ERAR_UNKNOWN;
    Archive* a = (Archive*)h;
    int r = ReadHeader(a);
    if (r != ERAR_SUCCESS) return r;
    const fyxrar::EntryInfo& e = a->entry;
    std::wstring volume = a->host.volume;
    std::wstring name = WindowsName(e.name);
    CopyText(WideToCodePage(volume, CP_ACP), d->ArcName, 1024);
    CopyText(volume, d->ArcNameW, 1024);
    CopyText(WideToCodePage(name, CP_OEMCP), d->FileName, 1024);
    CopyText(name, d->FileNameW, 1024);
    d->Flags = EntryFlags(e);
    d->PackSize = (unsigned)e.packedSize;
    d->PackSizeHigh = (unsigned)(e.packedSize >> 32);
    d->UnpSize = (unsigned)e.unpackedSize;
    d->UnpSizeHigh = (unsigned)(e.unpackedSize >> 32);
    d->HostOS = HostOs(e);
    d->FileCRC = e.crc32;
    d->FileTime = DosTime(e);
    d->UnpVer = e.unpackVersion;
    d->Method = e.method;
    d->FileAttr = e.attributes;
    d->CmtSize = 0;
    d->CmtState = 0;
    d->DictSize = e.directory ? 0 : (unsigned)(e.dictionarySize / 1024);
    d->HashType = e.hashKind == fyxrar::kHashBlake2 ? RAR_HASH_BLAKE2
                  : e.hashKind == fyxrar::kHashCrc32 ? RAR_HASH_CRC32
                                                     : RAR_HASH_NONE;
    memcpy(d->Hash, e.blake2, 32);
    d->RedirType = RedirType(e);
    if (d->RedirName && d->RedirNameSize) CopyText(Utf8ToWide(e.linkTarget), d->RedirName, d->RedirNameSize);
    d->DirTarget = 0;
    // Entries with only a local MS-DOS time still get a UTC FILETIME.
    FILETIME modified = {0, 0};
    EntryModified(e, &modified);
    d->MtimeLow = modified.dwLowDateTime;
    d->MtimeHigh = modified.dwHighDateTime;
    d->CtimeLow = (unsigned)e.created;
    d->CtimeHigh = (unsigned)(e.created >> 32);
    d->AtimeLow = (unsigned)e.accessed;
    d->AtimeHigh = (unsigned)(e.accessed >> 32);
    if (d->ArcNameEx && d->ArcNameExSize) CopyText(volume, d->ArcNameEx, d->ArcNameExSize);
    if (d->FileNameEx && d->FileNameExSize) CopyText(name, d->FileNameEx, d->FileNameExSize);
    return ERAR_SUCCESS;
}

int PASCAL RARReadHeader(HANDLE h, struct RARHeaderData* d) {
    if (!h || !d) return ERAR_UNKNOWN;
    Archive* a = (Archive*)h;
    int r = ReadHeader(a);
    if (r != ERAR_SUCCESS) return r;
    const fyxrar::EntryInfo& e = a->entry;
    CopyText(WideToCodePage(a->host.volume, CP_ACP), d->ArcName, 260);
    CopyText(WideToCodePage(WindowsName(e.name), CP_OEMCP), d->FileName, 260);
    d->Flags = EntryFlags(e);
    d->PackSize = (unsigned)e.packedSize;
    d->UnpSize = (unsigned)e.unpackedSize;
    d->HostOS = HostOs(e);
    d->FileCRC = e.crc32;
    d->FileTime = DosTime(e);
    d->UnpVer = e.unpackVersion;
    d->Method = e.method;
    d->FileAttr = e.attributes;
    d->CmtSize = 0;
    d->CmtState = 0;
    return ERAR_SUCCESS;
}

int PASCAL RARProcessFileW(HANDLE h, int operation, wchar_t* destPath, wchar_t* destName) {
    if (!h) return ERAR_UNKNOWN;
    return ProcessFile((Archive*)h, operation, destPath ? destPath : L"", destName ? destName : L"");
}

int PASCAL RARProcessFile(HANDLE h, int operation, char* destPath, char* destName) {
    if (!h) return ERAR_UNKNOWN;
    return ProcessFile((Archive*)h, operation, CodePageToWide(destPath, CP_OEMCP), CodePageToWide(destName, CP_OEMCP));
}

void PASCAL RARSetCallback(HANDLE h, UNRARCALLBACK callback, LPARAM userData) {
    if (!h) return;
    ((Archive*)h)->host.callback = callback;
    ((Archive*)h)->host.userData = userData;
}

void PASCAL RARSetChangeVolProc(HANDLE h, CHANGEVOLPROC proc) {
    if (h) ((Archive*)h)->host.changeVolProc = proc;
}

void PASCAL RARSetProcessDataProc(HANDLE h, PROCESSDATAPROC proc) {
    if (h) ((Archive*)h)->host.processDataProc = proc;
}

void PASCAL RARSetPassword(HANDLE h, char* password) {
    if (!h) return;
    Archive* a = (Archive*)h;
    std::wstring text = CodePageToWide(password, CP_ACP);
    a->host.password = WideToUtf8(text);
    a->host.hasPassword = !text.empty();
}

int PASCAL RARGetDllVersion(void) { return RAR_DLL_VERSION; }

}  // extern "C"
