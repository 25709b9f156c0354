// The reader's host inside the library: volumes from disk, and the caller's
// callback for volume changes, passwords and progress.
#pragma once

#include <string>

#include "rar_reader.h"
#include "unrar.h"

namespace fyxunrar {

class DllHost : public fyxrar::Host {
public:
    UNRARCALLBACK callback = nullptr;
    LPARAM userData = 0;
    CHANGEVOLPROC changeVolProc = nullptr;
    PROCESSDATAPROC processDataProc = nullptr;
    bool hasPassword = false;
    std::string password;  // UTF-8, kept for later encrypted files
    std::wstring volume;   // the volume opened last

    std::unique_ptr<fyxrar::Stream> OpenVolume(const std::string& path) override;
    bool AskVolume(std::string* path) override;
    bool VolumeOpened(const std::string& path) override;
    bool GetPassword(std::string* out) override;
    bool ProcessedData(const uint8_t* data, size_t size) override;

    void ForgetPassword() {
        hasPassword = false;
        password.clear();
    }

private:
    int Call(UINT msg, LPARAM p1, LPARAM p2);
    // Sends the wide and then the 8-bit volume message; false on a stop.
    bool VolumeMessage(std::string* path, int mode);
};

}  // namespace fyxunrar
