// The built-in English language lines, by id.
#include "builtin_lines.h"

namespace {

const wchar_t* const kBuiltinLines[LANGUAGE_LINE_COUNT] = {
    // 0
    L"Name", L"Ext", L"DOS Name", L"Size", L"Type", L"Date", L"Time", L"Atr", L"F2  Rename", L"F3  View",
    // 10
    L"F4  Edit", L"F5  Copy", L"F6  Move", L"F7  MakeDir", L"F8  Delete", L"Refresh", L"Source - target",
    L"Swap panels", L"Target - source", L"Last path",
    // 20
    L"Select all", L"Unselect all", L"Create new file", L"File properties", L"Pack (ZIP)", L"UnPack", L"Unpack",
    L"Unselect all", L"Refresh panel", L"File properties",
    // 30
    L"Drives", L"Removable (e.g. USB, floppy)", L"Fixed (e.g. local harddisks)", L"Favorites",
    L"Tree list in current directory", L"List of visited directory", L"Root", L"Parent", L"Left", L"Files",
    // 40
    L"Select", L"Commands", L"Show", L"Configuration", L"Right", L"Help", L"Show directories", L"Show files",
    L"Show colums", L"Show information lines",
    // 50
    L"Mode", L"Upper case", L"Lower case", L"How they are stored on disk",
    L"Information line with numbers of directories and files", L"Information line with type of file",
    L"Show list of files in second window        Shift+1", L"Round file size", L"Show all files",
    L"Show all except system and hidden files",
    // 60
    L"Properties...", L"CD-ROM or DVD-ROM", L"Create shortcut...", L"Edit New File", L"Moving:",
    L"Pack (ZIP) - not ready", L"Select", L"Unselect", L"Invert", L"Directories",
    // 70
    L"Files", L"All", L"Save selection", L"Restore selection", L"Save selection to file",
    L"Load selection from file", L"Go to next selected", L"Go to previous selected", L"System directories",
    L"Search",
    // 80
    L"Command line", L"Windows Explorer", L"Register editor", L"Services", L"Calculator", L"Notepad",
    L"Internet Explorer", L"Outlook Expres", L"Create new directory", L"Volume label...",
    // 90
    L"Disk information", L"Empty recycle bin", L"Desktop properties", L"Swap panels", L"Target=Source",
    L"Desktop", L"Favorites", L"Fonts", L"My Documents", L"Program Files",
    // 100
    L"Recent", L"Send To", L"StartUp", L"Start Menu", L"System", L"Temp", L"Windows", L"Pack",
    L"Error with packing!", L"Color profile Fyx",
    // 110
    L"Show command line", L"Options...", L"Set panel font...", L"Visit Fyx web site", L"About Fyx", L"Rename",
    L"Rename file  '%s' to", L"Rename directory  '%s' to", L"Cancel", L"Copy",
    // 120
    L"directory  '%s' to", L"file  '%s' to", L"%u directories to", L"%u files to", L"%u %s and %u %s to",
    L"directory", L"directories", L"file", L"files", L"Pack",
    // 130
    L"Copy", L"OK", L"Create Directory", L"Directory name:", L"Really delete all selected files?",
    L"Really delete directory  '%s' ?", L"Really delete file  '%s' ?", L"Delete", L"Delete",
    L"Do you want to delete the file with READONLY attribute?",
    // 140
    L"Do you want to delete the file with SYSTEM or HIDDEN attribute?",
    L"Error with converting UNICODE string to ANSI code page.\nPlease rename the file(s) to solve the problem.",
    L"Add current directory", L"Configure...", L"Add current directory", L"Item name:", L"Add item",
    L"Directory:", L"Choose directory", L"Select directory:",
    // 150
    L"Change item", L"Favorite directories", L"Add", L"Change", L"Remove", L"Item name:",
    L"Change help string...", L"Help string:", L"Change help string", L"Volume label",
    // 160
    L"Disk name:", L"Create shortcut", L"Shortcut name", L"Location", L"Insert shortcut on desktop",
    L"Insert shortcut to StartMenu", L"Change attributes", L"Error!", L"Error renaming!", L"Hidden",
    // 170
    L"Read-only", L"Compresed", L"Encrypted", L"Include subdirectories", L"Modified", L"Created", L"Accessed",
    L"Attributes", L"Date and time", L"Date:",
    // 180
    L"Time:", L"Actual time", L"Bad format of date or time!", L"Error", L"Confirmations", L"Function", L"Move",
    L"Copy", L"Language", L"Configuration",
    // 190
    L"Select language:", L"Use Windows Explorer function for move", L"Use Windows Explorer function for copy",
    L"Allow only 1 copy of Fyx at a time", L"Show icon in System tray", L"Show icon in System tray when minimized",
    L"Do not show icon", L"Show copy dialog", L"Dialog Drag-drop", L"Show move dialog",
    // 200
    L"Dialog Drag-drop", L"Show delete dialog", L"New File Name:", L"Minimize", L"Copying:", L"To:", L"Copy",
    L"Copy", L"Cancel operation?", L"Delete",
    // 210
    L"Error", L"Options", L"Copy", L"Overwrite file:", L"With file:", L"&Overwrite", L"Overwrite &all", L"&Skip",
    L"S&kip all", L"&Cancel",
    // 220
    L"Copy", L"Cancel operation?", L"Deleting:", L"Delete", L"Preparing for delete...",
    L"Delete file to recycle bin", L"Skip", L"Skip All", L"Retry", L"Cancel",
    // 230
    L"Name:", L"Minimize", L"File", L"Options", L"Open...", L"Exit", L"Text", L"Hex", L"Error",
    L"Cannot open file!",
    // 240
    L"Cannot open file!\nFile is propably too big!", L"Preparing...", L"Network Neighborhood", L"My Computer",
    L"Desktop", L"Color profile Cream", L"About Fyx", L"Delete", L"Delete All", L"Skip",
    // 250
    L"Skip All", L"Cancel", L" File:", L"Edit New File...", L"Network",
    L"Any directory/ies do not exist: \n\n%s\n\nwould you like to create it?",
    L"Any directory/ies cannot create!", L"Use automatic refresh", L"Retrieve Icons", L"Save settings",
    // 260
    L"There is not free space in destination directory:", L"Move",
    L"You cannot move file or directory:\n\n%s\n\n to itself!\n", L"Copy",
    L"You cannot copy file or directory:\n\n%s\n\n to itself!\n", L"bytes", L"Need:", L"Avail:", L"Try again",
    L"Continue",
    // 270
    L"Move", L"Copy", L"To free:", L"Select group", L"Unselect group", L"Type the extension: (e.g. 'jpg')",
    L"Group", L"Group", L"I cannot open the file: \n\n' %s ' !\n",
    L"No enough memory to load file: \n\n ' %s ' !\n",
    // 280
    L"First line", L"Second line", L"Information line with free and used space", L"Name with path",
    L"Only name", L"You must select at least one file or directory!", L"Fyx",
    L"You must select one file for view or edit operation!", L"You must select file or directory to rename!",
    L"Configuration has been saved.",
    // 290
    L"Show parent directory also in root of drive", L" File:", L"Error:", L"Retry", L"Skip", L"Skip All",
    L"Options", L"Control panel", L"The filename or directory name syntax is incorrect.",
    L"Please select network path.",
    // 300
    L"You selected not valid network path!", L"Change drive", L"Comment",
    L"Load icons in directory (if not improving speed)     Shift+2", L"Load icon mode - SELECT",
    L"Load icon mode - UNSELECT", L"Directory listing mode - UNSELECT", L"Directory listing mode - SELECT",
    L"Display", L"Colors",
    // 310
    L"Cursor as a rectangle", L"Cursor is full without rectangle", L"Cursor full with rectangle", L"Cursor",
    L"Select color profile:", L"Select color to edit:", L"Panel background", L"Directory", L"File",
    L"Cursor rectangle",
    // 320
    L"Cursor full", L"Inverse", L"Use color from windows", L"Edit", L"Save", L"New", L"Delete", L"Colors",
    L"Do you want delete this profile?", L"New color profile",
    // 330
    L"Enter profile name:", L"Create", L"Cancel", L"Focused if cursor full", L"Focused if cursor rectangle",
    L"Drag drop possible copy back", L"Drag drop possible copy text", L"Drag drop impossible copy back",
    L"Drag drop impossible copy text", L"Copy",
    // 340
    L"Move", L"item(s)", L"Cannot delete file: %s !", L"Error deleting file", L"Compression level (0 - 9)",
    L"Pack", L"Move", L"Unpack", L"Pack %u files to", L"Pack %u directory(ies) and %u file(s) to",
    // 350
    L"You must select at least one file for unpacking!", L"Unpack", L"Error with unpacking!",
    L"Unpack all selected files to", L"Manual", L"History", L"What's new?", L"Pictures", L"Left window",
    L"Right window",
    // 360
    L"Use selected file", L"Use all files in directory", L"Do not use picture", L"Period (min [1 - 120]):",
    L"Use left window over right window", L"Select file...", L"Program", L"Icon", L"Copy", L"Move",
    // 370
    L"Delete", L"Do you want overwrite the file with SYSTEM or HIDDEN attribute?",
    L"Do you want overwrite the file with READONLY attribute?", L"Sort by Name", L"Sort by Extension",
    L"Sort by Size", L"Sort by Time", L"Reverse order", L"Include directories in sorting",
    L"This operation is allowed only when both of paths are file system paths!",
    // 380
    L"Windows Shell", L"Show comments", L"Show icons", L"Browsing options", L"Show comments (Network Neighborhood)",
    L"Show icons (Network Neighborhood)", L"Net", L"Map Network Drive...", L"Disconnect Mapped Drive...",
    L"Share Current Directory...",
    // 390
    L"Unshare Current Directory...", L"Network Connections...", L"Home Network Setup...", L"New Connection...",
    L"Add Network Place...", L"Window position has been saved.", L"Save Position", L"Position",
    L"Start maximized", L"Start minimized",
    // 400
    L"Start from saved position", L"Save window position with closing", L"Do you want to close Fyx?",
    L"Program", L"Edit/View", L"External settings", L"Viewer", L"Editor",
    L"Destination directory does not exists.", L"Unpacking:",
    // 410
    L"Unpack", L"Error in archive!", L"This file is not supported archive!", L"archive  '%s' to",
    L"%u archives to", L"Overwrite all existing files",
    L"Unpack each archive to a separate subdirectory (name of the archive)", L"Use internal",
    L"Error with opening archive!", L"File header broken!",
    // 420
    L"Password:", L"This file is encrypted. Please enter password.", L" (%s) free space",
    L"There is no disk in drive %c:                   \n\nInsert disk and than try again.",
    L"Please insert disk with the next archive volume or locate appropriate file.", L"Select archive volume",
    L"Overwrite all older files", L"Pack path names", L"Recursively pack subdirectories", L"Path:",
    // 430
    L"Adding:", L"Updating:", L"Pack", L"Unpack", L"Pack...", L"Unpack specific files...",
    L"Confirm File Overwrite", L"Ignore all errors", L"Delete file with SYSTEM or HIDDEN attribute",
    L"Delete file with READONLY attribute",
    // 440
    L"Overwrite only older files", L"Copy", L"Move", L"Show pack dialog", L"Show unpack dialog",
    L"Extract and execute", L"Extract all and execute", L"Archive:", L" File:", L"Execute packed file",
    // 450
    L"Number of files copied and remaining time:", L"Fyx cannot locate temporary folder for extracting files!",
};

}  // namespace

const wchar_t* BuiltinLine(unsigned id) {
    return id < LANGUAGE_LINE_COUNT ? kBuiltinLines[id] : L"";
}
