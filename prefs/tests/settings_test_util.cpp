// The default settings file as the format defines it, and line editing helpers.
#include "settings_test_util.h"

const char kDefaultSettingsFile[] =
    "--------------------------\n"
    "| FYX Configuration File |\n"
    "--------------------------\n"
    "WindowOptionItem: 0\n"
    "PotCopy: 1\n"
    "PotMove: 1\n"
    "PotDelRec: 1\n"
    "PotClosing: 1\n"
    "FunFyxInstance: 1\n"
    "FunFyxMinimizeIcon: 1\n"
    "FunSavePosition: 1\n"
    "FunPosition: 0\n"
    "CursorType: 1\n"
    "WiewRootDir: 0\n"
    "LanguageFile: Default\n"
    "ColorProfileFile: Default\n"
    "ColorEditItem: 0\n"
    "LeftPictureFile: NOFILE\n"
    "RightPictureFile: NOFILE\n"
    "LeftPictureMode: 2\n"
    "RightPictureMode: 2\n"
    "LeftPicturePeriod: 60\n"
    "RightPicturePeriod: 60\n"
    "LeftPictureOver: 1\n"
    "PotDelDel: 1\n"
    "DrvRemovable: 0\n"
    "DrvRemovableIcons: 1\n"
    "DrvFixed: 0\n"
    "DrvFixedIcons: 1\n"
    "DrvCDROM: 0\n"
    "DrvCDROMIcons: 0\n"
    "DrvNetwork: 0\n"
    "DrvNetworkIcons: 0\n"
    "ShellShowComment: 1\n"
    "ShellShowIcons: 1\n"
    "ShellShowCommentNetwork: 1\n"
    "ShellShowIconsNetwork: 0\n"
    "ViewFile: notepad.exe\n"
    "EditFile: notepad.exe\n"
    "ViewFileInternal: 1\n"
    "EditFileInternal: 1\n"
    "PackShowDialog: 1\n"
    "UnpackOverwrite: 0\n"
    "UnpackOverwriteOlder: 0\n"
    "UnpackSeparateDir: 0\n"
    "UnpackShowDialog: 1\n"
    "CopyOverwrite: 0\n"
    "CopyOverwriteOlder: 0\n"
    "MoveOverwrite: 0\n"
    "MoveOverwriteOlder: 0\n"
    "DeleteHS: 0\n"
    "DeleteREADONLY: 0\n"
    "DeleteERRORS: 0\n"
    "FYXWindowLeft: 0\n"
    "FYXWindowRight: 600\n"
    "FYXWindowTop: 0\n"
    "FYXWindowBottom: 400\n"
    "FYXShowCommandLine: 1\n"
    "FYXLeftWinPath: \n"
    "FYXRightWinPath: \n"
    "FYXLeftDirShow: 2\n"
    "FYXLeftFileShow: 2\n"
    "FYXLeftUpdateSize: 1\n"
    "FYXLeftShowDOSName: 0\n"
    "FYXLeftShowExt: 0\n"
    "FYXLeftShowSize: 1\n"
    "FYXLeftShowType: 0\n"
    "FYXLeftShowDate: 1\n"
    "FYXLeftShowTime: 1\n"
    "FYXLeftShowAtr: 1\n"
    "FYXLeftShowMode: 0\n"
    "FYXLeftSortMode: 1\n"
    "FYXLeftWindowMode: 2\n"
    "FYXLeftShowInverse: 1\n"
    "FYXLeftShowInfoType: 1\n"
    "FYXLeftTypeInverse: 1\n"
    "FYXLeftTypeInfoType: 3\n"
    "FYXLeftPanelSize: 49.75\n"
    "FYXRightDirShow: 2\n"
    "FYXRightFileShow: 2\n"
    "FYXRightUpdateSize: 0\n"
    "FYXRightShowDOSName: 0\n"
    "FYXRightShowExt: 1\n"
    "FYXRightShowSize: 1\n"
    "FYXRightShowType: 0\n"
    "FYXRightShowDate: 1\n"
    "FYXRightShowTime: 1\n"
    "FYXRightShowAtr: 1\n"
    "FYXRightShowMode: 0\n"
    "FYXRightSortMode: 1\n"
    "FYXRightWindowMode: 0\n"
    "FYXRightShowInverse: 1\n"
    "FYXRightShowInfoType: 1\n"
    "FYXRightTypeInverse: 1\n"
    "FYXRightTypeInfoType: 3\n";

std::string CrLf(const std::string& lfText) {
    std::string out;
    for (char c : lfText) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

namespace {

// Start of the line beginning with `key`, or npos.
size_t LineStart(const std::string& file, const std::string& key) {
    size_t at = 0;
    while (at < file.size()) {
        if (file.compare(at, key.size(), key) == 0) return at;
        at = file.find('\n', at);
        if (at == std::string::npos) break;
        ++at;
    }
    return std::string::npos;
}

size_t LineEnd(const std::string& file, size_t start) {
    size_t end = file.find('\n', start);
    if (end == std::string::npos) return file.size();
    if (end > start && file[end - 1] == '\r') --end;
    return end;
}

}  // namespace

std::string WithValue(const std::string& file, const std::string& key, const std::string& value) {
    size_t start = LineStart(file, key);
    if (start == std::string::npos) return file;
    size_t valueStart = start + key.size() + 1;
    return file.substr(0, valueStart) + value + file.substr(LineEnd(file, start));
}

std::string CutAfterLine(const std::string& file, const std::string& key) {
    size_t start = LineStart(file, key);
    if (start == std::string::npos) return file;
    size_t end = file.find('\n', start);
    return end == std::string::npos ? file : file.substr(0, end + 1);
}

std::string ValueOf(const std::string& file, const std::string& key) {
    size_t start = LineStart(file, key);
    if (start == std::string::npos) return "<missing>";
    size_t valueStart = start + key.size() + 1;
    return file.substr(valueStart, LineEnd(file, start) - valueStart);
}
