// Opening the selected file in the user's editor or image viewer, and the tag jump: the places of
// a link's text in its file, and the editor started at one of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvel {

class TFileObject;
class TRunContext;

// One place of a text in a file.
struct TTagJumpPlace {
    std::string Line;    // 1-based line number, decimal
    std::string Context; // the file's bytes from 2 before the text to 7 after it, whole characters
                         // of the file's charset
};

// Opens the selected file: an HTML file in the external editor with the arguments of
// CommandLineOption (the desktop's editor when none is set), an image in the external viewer
// with its bare path. Any other file, or no file selected, gives a beep; a program that cannot
// be started gives a beep and a message naming it, for the editor also where to set one.
void OpenInExternalApp(TRunContext& Run);

// Every place of Text in the file, in file order, letter case ignored as the IgnoreCase setting
// says; nothing when the file cannot be read, which has been reported then.
std::optional<std::vector<TTagJumpPlace>>
FindTagJumpPlaces(TRunContext& Run, const TFileObject& File, const std::string& Text);

// Starts the external editor with the arguments of TagJumpCommandLineOption for a line of the
// file, whatever the file's kind; without one, the desktop's editor (at the line only when it
// is $VISUAL or $EDITOR). A failure is reported as when opening a file.
void TagJump(TRunContext& Run, const TFileObject& File, const std::string& Line);

} // namespace orvel
