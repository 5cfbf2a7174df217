// FileObjects: every file object of the home folder in scan order, with a path index that
// answers FindNodeByPath exactly as a walk over the list would.
#pragma once

#include "mylib/PathRules.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvel {

class TFileObject;

class TFileObjectList {
public:
    explicit TFileObjectList(TPathStyle PathStyle) : PathStyle(PathStyle) {}
    ~TFileObjectList();

    // Takes ownership of a new file object and appends it.
    TFileObject& Append(std::unique_ptr<TFileObject> Object);
    // Destroys one file object and removes it from the list.
    void Destroy(TFileObject& Object);
    // Destroys every file object, first to last.
    void Clear();

    int Count() const { return static_cast<int>(Objects.size()); }
    bool Empty() const { return Objects.empty(); }
    TFileObject& operator[](int Index) const { return *Objects[static_cast<size_t>(Index)]; }
    auto begin() const { return Objects.begin(); }
    auto end() const { return Objects.end(); }

    // The first file object in list order whose Path equals Path (ASCII letters without case
    // when IgnoreCase is set), or null.
    TFileObject* FindByPath(const std::string& Path, bool IgnoreCase) const;

    // Called by a file object when its path is set.
    void PathChanged(TFileObject& Object, const std::string& OldPath);

private:
    void Unindex(TFileObject& Object, const std::string& Path);

    TPathStyle PathStyle;
    std::vector<std::unique_ptr<TFileObject>> Objects;
    // Key: the path with ASCII letters upper-cased; several objects may share one.
    std::unordered_multimap<std::string, TFileObject*> Index;
    std::uint64_t NextSequence = 0;
};

} // namespace orvel
