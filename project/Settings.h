// The user's settings: the values of the settings file's section "Option".
#pragma once

#include <string>

namespace orvel {

// Read by every part at the moment of use; the settings window edits the one record in force.
struct TSettings {
    std::string ExternalEditor;                      // program that opens HTML files
    std::string ExternalViewer;                      // program that opens image files
    bool IgnoreCase = false;                         // file names compare without case
    std::string DefaultFileName = "index.html";      // implied by a link ending in "/"
    bool isSpaceValid = false;                       // link values may contain spaces
    std::string CommandLineOption = "%F";            // editor/viewer argument template
    std::string TagJumpCommandLineOption = "%F";     // editor template for a tag jump
    bool AnchorMakesFileBlue = true;                 // unreferenced anchors flag a file
    int CheckLocalFile = 0;                          // 0: file:// links invalid; else checked
    bool IgnoreHTMLInfo = false;                     // excluded HTML files are not read
    bool IgnoreJavaScript = true;                    // javascript: links are not extracted
    bool HideInfoBoxAfterCheck = false;              // a beep instead of the summary box
    std::string ExtListHTML = ".HTM.HTML.SHTML";     // extensions of HTML files
    std::string ExtListImg = ".JPG.JPEG.GIF.PNG.XPM.XBM"; // extensions of image files

    bool operator==(const TSettings&) const = default;
};

} // namespace orvel
