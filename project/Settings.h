// The user's settings: the values of the settings file's section "Option".
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace orvel {

// Read by every part at the moment of use; the settings window edits the one record in force.
struct TSettings {
    std::string ExternalEditor;                  // program that opens HTML files
    std::string ExternalViewer;                  // program that opens image files
    bool IgnoreCase = false;                     // file names compare without case
    std::string DefaultFileName = "index.html";  // implied by a link ending in "/"
    bool isSpaceValid = false;                   // link values may contain spaces
    std::string CommandLineOption = "%F";        // editor/viewer argument template
    std::string TagJumpCommandLineOption = "%F"; // editor template for a tag jump
    bool AnchorMakesFileBlue = true;             // unreferenced anchors flag a file
    int CheckLocalFile = 0;                      // 0: file:// links invalid; else checked
    bool IgnoreHTMLInfo = false;                 // excluded HTML files are not read
    bool IgnoreJavaScript = true;                // javascript: links are not extracted
    bool HideInfoBoxAfterCheck = false;          // a beep instead of the summary box
    std::string ExtListHTML = ".HTM.HTML.SHTML"; // extensions of HTML files
    std::string ExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM.SVG.WEBP.AVIF"; // extensions of image files
    bool ModernHTML = true; // links read and resolved as a browser does; off: the original rules
    bool ReopenLast = true; // the project or folder opened last is opened again at start
    // External http(s) links asked of their servers after the check; off, nothing is sent.
    bool CheckExternal = false;
    int ExternalPerHost = 2;     // requests at once to one server
    int ExternalTotal = 16;      // requests at once in all
    int ExternalTimeout = 10;    // seconds for one request
    int ExternalPageKiB = 2048;  // the most of a page read to check a fragment
    int ExternalCacheHours = 24; // how long an answer is reused; 0: never

    bool operator==(const TSettings&) const = default;
};

} // namespace orvel

namespace orvel {

class TIniFile;

// The window positions kept in the settings file, and what was opened last.
struct TWindowStates {
    int Left = -1, Top = -1;               // main window's top-left corner
    int Width = -1, Height = -1;           // main window's normal inner size, in pixels
    bool Maximized = false;                // main window maximised
    int ProjectLeft = -1, ProjectTop = -1; // project information window's top-left corner
    bool ProjectVisible = true;            // project information window shown
    std::string LastOpened;                // project file or folder opened last; empty for none
};

// Every "Option" key, or its default when missing, in the order of the settings window.
TSettings ReadSettings(const TIniFile& File);
// Writes every "Option" key into the file's contents (UpdateFile writes the file).
void WriteSettings(const TSettings& Settings, TIniFile& File);

TWindowStates ReadWindowStates(const TIniFile& File);
void WriteWindowStates(const TWindowStates& States, TIniFile& File);
// Writes only the project file or folder opened last.
void WriteLastOpened(const std::string& Path, TIniFile& File);

// The settings file of a program: its name with ".ini" beside it, or, when that file does not
// exist and its folder is not writable, the same name under the user's configuration folder.
// A program in a "bin" folder is installed and always uses the user's configuration folder.
std::string SettingsFilePath(const std::string& ExecutablePath);

// One "Option" key of the settings file: the member of TSettings that holds it (whose initial
// value is the key's default) and, for a number, the range a value read is brought into.
struct TSettingKey {
    const char* Name;
    std::variant<std::string TSettings::*, bool TSettings::*, int TSettings::*> Member;
    int Min = 0, Max = 0; // numbers only
    bool Check = true;    // read by the check; false for the window's own
};

// Every "Option" key, in the order in which they are read, written and shown.
std::span<const TSettingKey> SettingKeys();
// The key of that name, compared without case; null for none.
const TSettingKey* FindSettingKey(std::string_view Name);

} // namespace orvel
