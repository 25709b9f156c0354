// Result codes of the ZIP core, shared by reading and writing.
#pragma once

namespace fyxzip {

enum Result {
    kOk = 0,
    kNotZip,             // no end of central directory record
    kBadArchive,         // headers contradict themselves or the file
    kTruncated,          // data ends before the headers say
    kMultiDisk,          // one part of a split or spanned set
    kUnsupportedMethod,  // a compression method other than stored and deflate
    kCrcError,
    kDataError,          // the compressed data is not valid
    kSizeMismatch,       // data longer or shorter than the headers say
    kNeedPassword,
    kBadPassword,
    kNoCrypto,           // encryption is not available on this system
    kUnsafeName,         // an entry would land outside the target folder
    kReadError,
    kWriteError,
    kOpenError,
    kCreateError,
    kCancelled,
    kNoMemory,
    kTooLarge,
};

// A short English text for a result, for messages of the libraries.
const char* ResultText(Result result);

}  // namespace fyxzip
