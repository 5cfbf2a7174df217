// Desktop entry files (the .desktop files of installed applications): the program they start,
// and the field codes of its arguments filled in for a document.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvel {

// What a desktop entry starts.
struct TDesktopEntry {
    std::vector<std::string> Exec; // the Exec key as arguments, its escapes and quotes undone
    bool Terminal = false;         // Terminal=true: the program runs in a terminal window
};

// The [Desktop Entry] group of a file; nothing when the file cannot be read or has no Exec.
std::optional<TDesktopEntry> ReadDesktopEntry(const std::string& Path);

// The ID of the desktop entry that "xdg-mime query default MimeType" names, or empty when there
// is no xdg-mime or no default.
std::string QueryDefaultDesktopEntry(const std::string& MimeType);

// The file of a desktop entry ID ("org.gnome.TextEditor.desktop") in the "applications" folder
// of the first data folder that holds it; empty when none does.
std::string FindDesktopEntry(const std::string& Id, const std::vector<std::string>& DataFolders);

// Arguments with a document put in: %f %F become Path, %u %U Url, %% a percent sign; other field
// codes go. Without a place for it, Path comes last.
std::vector<std::string> ExpandFieldCodes(const std::vector<std::string>& Arguments,
                                          const std::string& Path, const std::string& Url);

} // namespace orvel
