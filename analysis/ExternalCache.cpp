#include "analysis/ExternalCache.h"

#include <cstdlib>
#include <filesystem>
#include <sqlite3.h>

namespace orvel {

namespace {

// Anchors are kept as one blob, each ended by a NUL: no anchor holds one.
std::string JoinedAnchors(const std::vector<std::string>& Anchors) {
    std::string Joined;
    for (const std::string& Anchor : Anchors)
        (Joined += Anchor) += '\0';
    return Joined;
}

std::vector<std::string> SplitAnchors(const char* Data, size_t Size) {
    std::vector<std::string> Anchors;
    for (size_t Start = 0; Start < Size;) {
        const size_t End = std::string_view(Data, Size).find('\0', Start);
        if (End == std::string_view::npos) break;
        Anchors.emplace_back(Data + Start, End - Start);
        Start = End + 1;
    }
    return Anchors;
}

long long SecondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A prepared statement, finalised when it goes.
class TStatement {
public:
    TStatement(sqlite3* Db, const char* Sql) { sqlite3_prepare_v2(Db, Sql, -1, &Handle, nullptr); }
    ~TStatement() { sqlite3_finalize(Handle); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;
    sqlite3_stmt* operator*() const { return Handle; }

private:
    sqlite3_stmt* Handle = nullptr;
};

} // namespace

std::string TExternalCache::DefaultPath() {
    const char* Cache = std::getenv("XDG_CACHE_HOME");
    const char* Home = std::getenv("HOME");
    std::string Folder = Cache && *Cache == '/' ? Cache
                         : Home && *Home        ? std::string(Home) + "/.cache"
                                                : std::string();
    return Folder.empty() ? Folder : Folder + "/uoorvel/external-links.sqlite";
}

TExternalCache::TExternalCache(const std::string& Path, std::chrono::hours Age) : MaxAge(Age) {
    if (Path.empty() || MaxAge.count() <= 0) return;
    std::error_code Error;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path(), Error);
    if (sqlite3_open_v2(Path.c_str(), &Db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK ||
        sqlite3_busy_timeout(Db, 2000) != SQLITE_OK ||
        sqlite3_exec(Db,
                     "CREATE TABLE IF NOT EXISTS answers (url TEXT PRIMARY KEY, outcome INTEGER, "
                     "code INTEGER, final_url TEXT, checked_at INTEGER, page INTEGER, "
                     "anchors BLOB)",
                     nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(Db);
        Db = nullptr;
    }
}

TExternalCache::~TExternalCache() {
    sqlite3_close(Db);
}

std::optional<TExternalResult> TExternalCache::Find(const std::string& Url, bool NeedPage) const {
    if (!Db) return std::nullopt;
    TStatement Select(Db, "SELECT outcome, code, final_url, page, anchors FROM answers "
                          "WHERE url = ?1 AND checked_at > ?2");
    sqlite3_bind_text(*Select, 1, Url.data(), int(Url.size()), SQLITE_STATIC);
    sqlite3_bind_int64(*Select, 2, SecondsNow() - std::chrono::seconds(MaxAge).count());
    if (sqlite3_step(*Select) != SQLITE_ROW) return std::nullopt;
    TExternalResult Result;
    Result.Url = Url;
    Result.Outcome = TExternalResult::TOutcome(sqlite3_column_int(*Select, 0));
    Result.Code = sqlite3_column_int(*Select, 1);
    if (const auto* Final = sqlite3_column_text(*Select, 2))
        Result.FinalUrl = reinterpret_cast<const char*>(Final);
    Result.Page = TExternalResult::TPage(sqlite3_column_int(*Select, 3));
    if (NeedPage && Result.Page == TExternalResult::pgNotAsked) return std::nullopt;
    Result.Anchors = SplitAnchors(static_cast<const char*>(sqlite3_column_blob(*Select, 4)),
                                  size_t(sqlite3_column_bytes(*Select, 4)));
    if (Result.Outcome != TExternalResult::ok && Result.Outcome != TExternalResult::redirect)
        return std::nullopt; // not written by this program
    return Result;
}

void TExternalCache::Keep(const std::vector<TExternalResult>& Results) {
    if (!Db) return;
    sqlite3_exec(Db, "BEGIN", nullptr, nullptr, nullptr);
    {
        TStatement Insert(Db, "INSERT OR REPLACE INTO answers VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
        const long long Now = SecondsNow();
        for (const TExternalResult& Result : Results) {
            if (Result.Outcome != TExternalResult::ok &&
                Result.Outcome != TExternalResult::redirect)
                continue;
            const std::string Anchors = JoinedAnchors(Result.Anchors);
            sqlite3_bind_text(*Insert, 1, Result.Url.data(), int(Result.Url.size()), SQLITE_STATIC);
            sqlite3_bind_int(*Insert, 2, Result.Outcome);
            sqlite3_bind_int(*Insert, 3, int(Result.Code));
            sqlite3_bind_text(*Insert, 4, Result.FinalUrl.data(), int(Result.FinalUrl.size()),
                              SQLITE_STATIC);
            sqlite3_bind_int64(*Insert, 5, Now);
            sqlite3_bind_int(*Insert, 6, Result.Page);
            sqlite3_bind_blob(*Insert, 7, Anchors.data(), int(Anchors.size()), SQLITE_STATIC);
            sqlite3_step(*Insert);
            sqlite3_reset(*Insert);
        }
    }
    sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr);
}

} // namespace orvel
