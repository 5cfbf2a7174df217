// FileObjects: every file object of the home folder in scan order, with a path index that
// answers FindNodeByPath exactly as a walk over the list would.
#pragma once

#include "analysis/PathIndex.h"
#include "support/PathRules.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvel {

class TFileObject;

class TFileObjectList {
public:
    explicit TFileObjectList(TPathStyle Style) : PathStyle(Style) {}
    ~TFileObjectList();

    // Takes ownership of a new file object and appends it.
    TFileObject& Append(std::unique_ptr<TFileObject> Object);
    // Destroys the given file objects and removes them from the list, in one pass.
    void Destroy(const std::vector<TFileObject*>& Doomed);
    // Destroys every file object, first to last.
    void Clear();
    // Empties the list, handing over every file object.
    std::vector<std::unique_ptr<TFileObject>> TakeAll();

    int Count() const { return static_cast<int>(Objects.size()); }
    bool Empty() const { return Objects.empty(); }
    TFileObject& operator[](int Position) const { return *Objects[static_cast<size_t>(Position)]; }
    auto begin() const { return Objects.begin(); }
    auto end() const { return Objects.end(); }

    // The first file object in list order whose Path equals Path (ASCII letters without case
    // when IgnoreCase is set) and whose name hash agrees, or null. Matches, when given, counts
    // the file objects that the path found names.
    TFileObject* FindByPath(std::string_view Path, bool IgnoreCase, int* Matches = nullptr) const;

    // Paths below Alias (a folder path with its separator) name the files below Listed: the
    // same folder, listed once under that path.
    void AddFolderAlias(std::string Alias, std::string Listed);

    // The file object with this Sequence, or null.
    TFileObject* BySequence(std::uint64_t Sequence) const;

    // A file object leaves the index before its path changes and enters it again after.
    void Unindex(TFileObject& Object);
    void Reindex(TFileObject& Object);

    // Counts every change to the list, to a path, and to a file's classes (through Changed), so
    // that what is worked out from them knows when it is out of date.
    std::uint64_t Version() const { return Changes; }
    void Changed() { ++Changes; }
    // Counts the changes to which file objects the list holds and to their paths, and to no more.
    std::uint64_t Membership() const { return MembershipChanges; }

private:
    TPathStyle PathStyle;
    std::vector<std::unique_ptr<TFileObject>> Objects;
    TPathIndex Index; // by the folded hash of the path
    // By Sequence - FirstSequence, each object created since the list was last emptied; null
    // for one destroyed since.
    std::vector<TFileObject*> BySequenceSlots;
    // By the FoldedHash of the alias folder: the alias and the folder it names.
    std::unordered_multimap<std::uint64_t, std::pair<std::string, std::string>> FolderAliases;
    TFileObject* FindByPathOnce(std::string_view Path, bool IgnoreCase, int* Matches) const;
    std::uint64_t FirstSequence = 0;
    std::uint64_t NextSequence = 0;
    std::uint64_t Changes = 0, MembershipChanges = 0;
};

} // namespace orvel
