#include "project/Settings.h"

#include "support/CodePage.h"
#include "support/IniFile.h"
#include "support/StringUtils.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace orvel {

namespace {
const std::string Option = "Option";
} // namespace

// -1 for CheckLocalFile selects neither choice and behaves as 1.
constexpr TSettingKey Keys[] = {
    {"ExternalEditor", &TSettings::ExternalEditor},
    {"ExternalViewer", &TSettings::ExternalViewer},
    {"IgnoreCase", &TSettings::IgnoreCase},
    {"DefaultFileName", &TSettings::DefaultFileName},
    {"isSpaceValid", &TSettings::isSpaceValid},
    {"CommandLineOption", &TSettings::CommandLineOption},
    {"TagJumpCommandLineOption", &TSettings::TagJumpCommandLineOption},
    {"AnchorMakesFileBlue", &TSettings::AnchorMakesFileBlue},
    {"CheckLocalFile", &TSettings::CheckLocalFile, -1, 1},
    {"IgnoreHTMLInfo", &TSettings::IgnoreHTMLInfo},
    {"IgnoreJavaScript", &TSettings::IgnoreJavaScript},
    {"HideInfoBoxAfterCheck", &TSettings::HideInfoBoxAfterCheck},
    {"ExtListHTML", &TSettings::ExtListHTML},
    {"ExtListImg", &TSettings::ExtListImg},
    {"ModernHTML", &TSettings::ModernHTML},
    {"ReopenLast", &TSettings::ReopenLast, 0, 0, false},
    {"CheckExternal", &TSettings::CheckExternal},
    {"ExternalPerHost", &TSettings::ExternalPerHost, 1, 16},
    {"ExternalTotal", &TSettings::ExternalTotal, 1, 256},
    {"ExternalTimeout", &TSettings::ExternalTimeout, 1, 600},
    {"ExternalPageKiB", &TSettings::ExternalPageKiB, 0, 1 << 20},
    {"ExternalCacheHours", &TSettings::ExternalCacheHours, 0, 24 * 366},
};

std::span<const TSettingKey> SettingKeys() {
    return Keys;
}

const TSettingKey* FindSettingKey(std::string_view Name) {
    for (const TSettingKey& Key : Keys)
        if (AnsiCompareText(Key.Name, Name) == 0) return &Key;
    return nullptr;
}

TSettings ReadSettings(const TIniFile& File) {
    const TSettings Defaults;
    TSettings S;
    for (const TSettingKey& Key : Keys) {
        if (const auto* Text = std::get_if<std::string TSettings::*>(&Key.Member))
            S.*(*Text) = File.ReadString(Option, Key.Name, Defaults.*(*Text));
        else if (const auto* Flag = std::get_if<bool TSettings::*>(&Key.Member))
            S.*(*Flag) = File.ReadBool(Option, Key.Name, Defaults.*(*Flag));
        else if (const auto* Number = std::get_if<int TSettings::*>(&Key.Member))
            S.*(*Number) = static_cast<int>(
                std::clamp(File.ReadInteger(Option, Key.Name, Defaults.*(*Number)),
                           static_cast<long long>(Key.Min), static_cast<long long>(Key.Max)));
    }
    return S;
}

void WriteSettings(const TSettings& S, TIniFile& File) {
    for (const TSettingKey& Key : Keys) {
        if (const auto* Text = std::get_if<std::string TSettings::*>(&Key.Member))
            File.WriteString(Option, Key.Name, S.*(*Text));
        else if (const auto* Flag = std::get_if<bool TSettings::*>(&Key.Member))
            File.WriteBool(Option, Key.Name, S.*(*Flag));
        else if (const auto* Number = std::get_if<int TSettings::*>(&Key.Member))
            File.WriteInteger(Option, Key.Name, S.*(*Number));
    }
}

TWindowStates ReadWindowStates(const TIniFile& File) {
    const TWindowStates D;
    TWindowStates W;
    W.Left = static_cast<int>(File.ReadInteger("WindowState", "Left", D.Left));
    W.Top = static_cast<int>(File.ReadInteger("WindowState", "Top", D.Top));
    W.Width = static_cast<int>(File.ReadInteger("WindowState", "Width", D.Width));
    W.Height = static_cast<int>(File.ReadInteger("WindowState", "Height", D.Height));
    W.Maximized = File.ReadBool("WindowState", "Maximized", D.Maximized);
    W.ProjectLeft = static_cast<int>(File.ReadInteger("ProjectWindowState", "Left", D.ProjectLeft));
    W.ProjectTop = static_cast<int>(File.ReadInteger("ProjectWindowState", "Top", D.ProjectTop));
    W.ProjectVisible = File.ReadBool("ProjectWindowState", "Visible", D.ProjectVisible);
    W.LastOpened = File.ReadString("History", "LastOpened", D.LastOpened);
    return W;
}

void WriteWindowStates(const TWindowStates& W, TIniFile& File) {
    File.WriteInteger("WindowState", "Left", W.Left);
    File.WriteInteger("WindowState", "Top", W.Top);
    File.WriteInteger("WindowState", "Width", W.Width);
    File.WriteInteger("WindowState", "Height", W.Height);
    File.WriteBool("WindowState", "Maximized", W.Maximized);
    File.WriteInteger("ProjectWindowState", "Left", W.ProjectLeft);
    File.WriteInteger("ProjectWindowState", "Top", W.ProjectTop);
    File.WriteBool("ProjectWindowState", "Visible", W.ProjectVisible);
    WriteLastOpened(W.LastOpened, File);
}

void WriteLastOpened(const std::string& Path, TIniFile& File) {
    File.WriteString("History", "LastOpened", Path);
}

std::string SettingsFilePath(const std::string& ExecutablePath) {
    const std::string Folder = ExtractFolder(ExecutablePath, TPathStyle::psPosix);
    std::string Name = BareFileName(ExecutablePath, TPathStyle::psPosix);
    const size_t Dot = Name.rfind('.');
    if (Dot != std::string::npos && Dot > 0) Name.erase(Dot);
    Name += ".ini";
    std::string Beside = Folder + Name;
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
