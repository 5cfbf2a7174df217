#include "analysis/FileObjectList.h"

#include "analysis/fileobject.h"
#include "mylib/CodePage.h"
#include "mylib/MyStr.h"

#include <algorithm>

namespace orvel {

TFileObjectList::~TFileObjectList() { Clear(); }

TFileObject& TFileObjectList::Append(std::unique_ptr<TFileObject> Object) {
    Object->Sequence = NextSequence++;
    Objects.push_back(std::move(Object));
    TFileObject& Added = *Objects.back();
    if (!Added.Path.empty()) Index.emplace(AsciiUpperCase(Added.Path), &Added);
    return Added;
}

void TFileObjectList::Unindex(TFileObject& Object, const std::string& Path) {
    auto [First, Last] = Index.equal_range(AsciiUpperCase(Path));
    for (auto It = First; It != Last; ++It)
        if (It->second == &Object) {
            Index.erase(It);
            return;
        }
}

void TFileObjectList::PathChanged(TFileObject& Object, const std::string& OldPath) {
    if (!OldPath.empty()) Unindex(Object, OldPath);
    if (!Object.Path.empty()) Index.emplace(AsciiUpperCase(Object.Path), &Object);
}

void TFileObjectList::Destroy(TFileObject& Object) {
    auto It = std::find_if(Objects.begin(), Objects.end(),
                           [&](const auto& Owned) { return Owned.get() == &Object; });
    if (It == Objects.end()) return;
    Unindex(Object, Object.Path);
    Objects.erase(It);
}

void TFileObjectList::Clear() {
    Index.clear();
    Objects.clear();
}

TFileObject* TFileObjectList::FindByPath(const std::string& Path, bool IgnoreCase) const {
    // The name hash stays part of the test: the walk compares paths only where it agrees.
    const std::int32_t Hash = FileNameHash(Path, PathStyle);
    TFileObject* Best = nullptr;
    auto [First, Last] = Index.equal_range(AsciiUpperCase(Path));
    for (auto It = First; It != Last; ++It) {
        TFileObject* Candidate = It->second;
        if (Candidate->NameHash != Hash) continue;
        if (!IgnoreCase && Candidate->Path != Path) continue;
        if (!Best || Candidate->Sequence < Best->Sequence) Best = Candidate;
    }
    return Best;
}

} // namespace orvel
