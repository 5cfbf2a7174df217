// The editor of the desktop, for a file when the user has named none: the default application
// for text files, else $VISUAL or $EDITOR in a terminal window.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvel {

// What the choice of the editor depends on.
struct TEditorEnvironment {
    // An environment variable's value; empty when it is not set.
    std::function<std::string(const std::string& Name)> Variable;
    std::string DefaultTextEntry; // desktop entry ID of the default for text/plain; empty: none

    // This process's environment, and what xdg-mime names as the default for text/plain.
    static TEditorEnvironment Current();
};

// A program with its arguments.
struct TProgramCommand {
    std::string Program; // empty: there is nothing to start
    std::vector<std::string> Arguments;
};

// The command that opens Path in the desktop's editor. The default application gets the file
// through its Exec line (a terminal wraps it when its entry asks for one) and never a line, as
// there is no telling how it would take one; $VISUAL, else $EDITOR, runs in a terminal window
// and gets "+Line" before the file for a tag jump. An empty program when none of them is there.
TProgramCommand DefaultEditorCommand(const TEditorEnvironment& Environment, const std::string& Path,
                                     const std::string* Line = nullptr);

} // namespace orvel
