#include "analysis/FileObjectList.h"

#include "analysis/FileObject.h"
#include "support/CodePage.h"
#include "support/StringUtils.h"

#include <unordered_set>

namespace orvel {

size_t TFileObjectList::TFoldedHash::operator()(std::string_view Path) const {
    // Paths of a site share their beginning: the length and the last bytes tell them apart.
    std::uint64_t Hash = 14695981039346656037ull ^ Path.size(); // FNV-1a
    for (char C : Path.substr(Path.size() > 40 ? Path.size() - 40 : 0))
        Hash = (Hash ^ static_cast<unsigned char>(AsciiUpper(C))) * 1099511628211ull;
    return static_cast<size_t>(Hash);
}

bool TFileObjectList::TFoldedEqual::operator()(std::string_view A, std::string_view B) const {
    if (A.size() != B.size()) return false;
    for (size_t I = 0; I < A.size(); ++I)
        if (AsciiUpper(A[I]) != AsciiUpper(B[I])) return false;
    return true;
}

TFileObjectList::~TFileObjectList() {
    Clear();
}

TFileObject& TFileObjectList::Append(std::unique_ptr<TFileObject> Object) {
    Object->Sequence = NextSequence++;
    Objects.push_back(std::move(Object));
    TFileObject& Added = *Objects.back();
    Reindex(Added);
    return Added;
}

void TFileObjectList::Unindex(TFileObject& Object) {
    auto [First, Last] = Index.equal_range(Object.Path);
    for (auto It = First; It != Last; ++It)
        if (It->second == &Object) {
            Index.erase(It);
            return;
        }
}

void TFileObjectList::Reindex(TFileObject& Object) {
    if (!Object.Path.empty()) Index.emplace(Object.Path, &Object);
}

void TFileObjectList::Destroy(const std::vector<TFileObject*>& Doomed) {
    const std::unordered_set<const TFileObject*> Set(Doomed.begin(), Doomed.end());
    for (TFileObject* Object : Doomed)
        Unindex(*Object);
    std::erase_if(Objects, [&](const auto& Owned) { return Set.count(Owned.get()) > 0; });
}

void TFileObjectList::Clear() {
    Index.clear();
    Objects.clear();
}

TFileObject* TFileObjectList::FindByPath(std::string_view Path, bool IgnoreCase) const {
    auto [First, Last] = Index.equal_range(Path);
    if (First == Last) return nullptr;
    // The walk compares paths only where the name hashes agree.
    const std::int32_t Hash = FileNameHash(Path, PathStyle);
    TFileObject* Best = nullptr;
    for (auto It = First; It != Last; ++It) {
        TFileObject* Candidate = It->second;
        if (Candidate->NameHash != Hash) continue;
        if (!IgnoreCase && Candidate->Path != Path) continue;
        if (!Best || Candidate->Sequence < Best->Sequence) Best = Candidate;
    }
    return Best;
}

} // namespace orvel
