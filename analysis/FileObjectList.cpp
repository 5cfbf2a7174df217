#include "analysis/FileObjectList.h"

#include "analysis/FileObject.h"
#include "support/FoldedText.h"
#include "support/StringUtils.h"

#include <optional>
#include <unordered_set>

namespace orvel {

TFileObjectList::~TFileObjectList() {
    Clear();
}

TFileObject& TFileObjectList::Append(std::unique_ptr<TFileObject> Object) {
    Object->Sequence = NextSequence++;
    Objects.push_back(std::move(Object));
    TFileObject& Added = *Objects.back();
    BySequenceSlots.push_back(&Added);
    Reindex(Added);
    return Added;
}

void TFileObjectList::Unindex(TFileObject& Object) {
    ++Changes;
    ++MembershipChanges;
    if (!Object.Path.empty()) Index.Erase(FoldedHash(Object.Path), &Object);
}

void TFileObjectList::Reindex(TFileObject& Object) {
    ++Changes;
    ++MembershipChanges;
    if (!Object.Path.empty()) Index.Insert(FoldedHash(Object.Path), Object.Path, &Object);
}

void TFileObjectList::Destroy(const std::vector<TFileObject*>& Doomed) {
    const std::unordered_set<const TFileObject*> Set(Doomed.begin(), Doomed.end());
    for (TFileObject* Object : Doomed) {
        Unindex(*Object);
        BySequenceSlots[Object->Sequence - FirstSequence] = nullptr;
    }
    std::erase_if(Objects, [&](const auto& Owned) { return Set.count(Owned.get()) > 0; });
}

void TFileObjectList::Clear() {
    TakeAll();
}

std::vector<std::unique_ptr<TFileObject>> TFileObjectList::TakeAll() {
    Index.Clear();
    BySequenceSlots.clear();
    FolderAliases.clear();
    FirstSequence = NextSequence;
    ++MembershipChanges;
    ++Changes;
    return std::move(Objects);
}

TFileObject* TFileObjectList::BySequence(std::uint64_t Sequence) const {
    return Sequence >= FirstSequence && Sequence - FirstSequence < BySequenceSlots.size()
               ? BySequenceSlots[Sequence - FirstSequence]
               : nullptr;
}

void TFileObjectList::AddFolderAlias(std::string Alias, std::string Listed) {
    const std::uint64_t Key = FoldedHash(Alias);
    FolderAliases.emplace(Key, std::make_pair(std::move(Alias), std::move(Listed)));
}

TFileObject* TFileObjectList::FindByPath(std::string_view Path, bool IgnoreCase,
                                         int* Matches) const {
    TFileObject* Found = FindByPathOnce(Path, IgnoreCase, Matches);
    // Through a folder listed under another path: its deepest alias, a few times at most, since
    // the folder it names may hold aliases in turn.
    std::string Through;
    for (int Hops = 0; !Found && !FolderAliases.empty() && Hops < 8; ++Hops) {
        const std::string* Listed = nullptr;
        size_t Cut = Path.size();
        while (!Listed && Cut > 0) {
            Cut = Path.find_last_of(PathStyle == TPathStyle::psWindows ? "/\\" : "/", Cut - 1);
            if (Cut == std::string_view::npos) break;
            const std::string_view Folder = Path.substr(0, Cut + 1);
            const auto [From, To] = FolderAliases.equal_range(FoldedHash(Folder));
            for (auto At = From; At != To && !Listed; ++At)
                if (IgnoreCase ? FoldedEqual(At->second.first, Folder) : At->second.first == Folder)
                    Listed = &At->second.second;
        }
        if (!Listed) break;
        Through = *Listed + std::string(Path.substr(Cut + 1));
        Path = Through;
        Found = FindByPathOnce(Path, IgnoreCase, Matches);
    }
    return Found;
}

TFileObject* TFileObjectList::FindByPathOnce(std::string_view Path, bool IgnoreCase,
                                             int* Matches) const {
    // The walk compares paths only where the name hashes agree. Equal paths have equal name
    // hashes (an object's is set with its path); paths equal without case need not, so that
    // hash is computed once one is found.
    std::optional<std::int32_t> NameHash;
    TFileObject* Best = nullptr;
    Index.ForEach(FoldedHash(Path), [&](std::string_view Indexed, TFileObject* Candidate) {
        if (IgnoreCase) {
            if (!FoldedEqual(Indexed, Path)) return;
            if (!NameHash) NameHash = FileNameHash(Path, PathStyle);
            if (Candidate->NameHash != *NameHash) return;
        } else if (Indexed != Path) {
            return;
        }
        if (!Best || Candidate->Sequence < Best->Sequence) Best = Candidate;
        if (Matches) ++*Matches;
    });
    return Best;
}

} // namespace orvel
