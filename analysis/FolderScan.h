// The folder scan: turns the home folder into the tree and the file objects, then classifies.
#pragma once

#include <string>

namespace orvel {

class TRunContext;
struct TReadPage;
struct TTreeNode;

// Discards the previous results, scans the home folder and classifies every file's links.
void ScanHomeFolder(TRunContext& Run, const std::string& HomeDir);
// Enumerates one folder into the parent node and recurses into its subfolders, reading ahead.
void ScanFolder(TRunContext& Run, const std::string& Folder, TTreeNode& Parent);
// Creates the node and the file object of one file, which reads it unless it was read ahead.
void AddFile(TRunContext& Run, const std::string& FilePath, TTreeNode& Parent,
             TReadPage* ReadAhead = nullptr);

} // namespace orvel
