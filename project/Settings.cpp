#include "project/Settings.h"

#include "support/IniFile.h"
#include "support/StringUtils.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace orvel {

namespace {
const std::string Option = "Option";
} // namespace

const char* const OptionKeys[15] = {
    "ExternalEditor",
    "ExternalViewer",
    "IgnoreCase",
    "DefaultFileName",
    "isSpaceValid",
    "CommandLineOption",
    "TagJumpCommandLineOption",
    "AnchorMakesFileBlue",
    "CheckLocalFile",
    "IgnoreHTMLInfo",
    "IgnoreJavaScript",
    "HideInfoBoxAfterCheck",
    "ExtListHTML",
    "ExtListImg",
    "ModernHTML",
};

TSettings ReadSettings(const TIniFile& File) {
    const TSettings D;
    TSettings S;
    S.ExternalEditor = File.ReadString(Option, "ExternalEditor", D.ExternalEditor);
    S.ExternalViewer = File.ReadString(Option, "ExternalViewer", D.ExternalViewer);
    S.IgnoreCase = File.ReadBool(Option, "IgnoreCase", D.IgnoreCase);
    S.DefaultFileName = File.ReadString(Option, "DefaultFileName", D.DefaultFileName);
    S.isSpaceValid = File.ReadBool(Option, "isSpaceValid", D.isSpaceValid);
    S.CommandLineOption = File.ReadString(Option, "CommandLineOption", D.CommandLineOption);
    S.TagJumpCommandLineOption =
        File.ReadString(Option, "TagJumpCommandLineOption", D.TagJumpCommandLineOption);
    S.AnchorMakesFileBlue = File.ReadBool(Option, "AnchorMakesFileBlue", D.AnchorMakesFileBlue);
    // -1 selects neither choice and behaves as 1.
    S.CheckLocalFile = static_cast<int>(
        std::clamp(File.ReadInteger(Option, "CheckLocalFile", D.CheckLocalFile), -1LL, 1LL));
    S.IgnoreHTMLInfo = File.ReadBool(Option, "IgnoreHTMLInfo", D.IgnoreHTMLInfo);
    S.IgnoreJavaScript = File.ReadBool(Option, "IgnoreJavaScript", D.IgnoreJavaScript);
    S.HideInfoBoxAfterCheck =
        File.ReadBool(Option, "HideInfoBoxAfterCheck", D.HideInfoBoxAfterCheck);
    S.ExtListHTML = File.ReadString(Option, "ExtListHTML", D.ExtListHTML);
    S.ExtListImg = File.ReadString(Option, "ExtListImg", D.ExtListImg);
    S.ModernHTML = File.ReadBool(Option, "ModernHTML", D.ModernHTML);
    return S;
}

void WriteSettings(const TSettings& S, TIniFile& File) {
    File.WriteString(Option, "ExternalEditor", S.ExternalEditor);
    File.WriteString(Option, "ExternalViewer", S.ExternalViewer);
    File.WriteBool(Option, "IgnoreCase", S.IgnoreCase);
    File.WriteString(Option, "DefaultFileName", S.DefaultFileName);
    File.WriteBool(Option, "isSpaceValid", S.isSpaceValid);
    File.WriteString(Option, "CommandLineOption", S.CommandLineOption);
    File.WriteString(Option, "TagJumpCommandLineOption", S.TagJumpCommandLineOption);
    File.WriteBool(Option, "AnchorMakesFileBlue", S.AnchorMakesFileBlue);
    File.WriteInteger(Option, "CheckLocalFile", S.CheckLocalFile);
    File.WriteBool(Option, "IgnoreHTMLInfo", S.IgnoreHTMLInfo);
    File.WriteBool(Option, "IgnoreJavaScript", S.IgnoreJavaScript);
    File.WriteBool(Option, "HideInfoBoxAfterCheck", S.HideInfoBoxAfterCheck);
    File.WriteString(Option, "ExtListHTML", S.ExtListHTML);
    File.WriteString(Option, "ExtListImg", S.ExtListImg);
    File.WriteBool(Option, "ModernHTML", S.ModernHTML);
}

TWindowStates ReadWindowStates(const TIniFile& File) {
    const TWindowStates D;
    TWindowStates W;
    W.Left = static_cast<int>(File.ReadInteger("WindowState", "Left", D.Left));
    W.Top = static_cast<int>(File.ReadInteger("WindowState", "Top", D.Top));
    W.ProjectLeft = static_cast<int>(File.ReadInteger("ProjectWindowState", "Left", D.ProjectLeft));
    W.ProjectTop = static_cast<int>(File.ReadInteger("ProjectWindowState", "Top", D.ProjectTop));
    W.ProjectVisible = File.ReadBool("ProjectWindowState", "Visible", D.ProjectVisible);
    return W;
}

void WriteWindowStates(const TWindowStates& W, TIniFile& File) {
    File.WriteInteger("WindowState", "Left", W.Left);
    File.WriteInteger("WindowState", "Top", W.Top);
    File.WriteInteger("ProjectWindowState", "Left", W.ProjectLeft);
    File.WriteInteger("ProjectWindowState", "Top", W.ProjectTop);
    File.WriteBool("ProjectWindowState", "Visible", W.ProjectVisible);
}

std::string SettingsFilePath(const std::string& ExecutablePath) {
    const std::string Folder = ExtractFolder(ExecutablePath, TPathStyle::psPosix);
    std::string Name = BareFileName(ExecutablePath, TPathStyle::psPosix);
    const size_t Dot = Name.rfind('.');
    if (Dot != std::string::npos && Dot > 0) Name.erase(Dot);
    Name += ".ini";
    const std::string Beside = Folder + Name;
    // An installed program (in /usr/bin, /usr/local/bin, ~/.local/bin) keeps one file per
    // user, root included: a file that root left beside it would be read by every user but
    // writable by none.
    const bool Installed = Folder.ends_with("/bin/");
    if (!Installed &&
        (FileExists(Beside) || ::access(Folder.empty() ? "." : Folder.c_str(), W_OK) == 0))
        return Beside;
    const char* Xdg = std::getenv("XDG_CONFIG_HOME");
    const char* Home = std::getenv("HOME");
    const std::string Config = Xdg && *Xdg ? Xdg : std::string(Home ? Home : "") + "/.config";
    const std::string Base = Name.substr(0, Name.size() - 4);
    return Config + "/" + Base + "/" + Name;
}

} // namespace orvel
