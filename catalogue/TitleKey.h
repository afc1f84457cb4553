#pragma once
// The one key titles are compared by, for the catalogue's rule that titles
// are unique without regard to letter case, and for the list order.

#include "catalogue/clsStarData.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Letter case is folded (ASCII, Latin, Greek, Cyrillic and full-width Latin
// letters); full-width and half-width forms stay distinct.
std::string FoldTitle(std::string_view title);

// FoldTitle's result, without a copy for the many titles that are their own
// key; a folded copy is kept in `scratch`.
std::string_view TitleKey(std::string_view title, std::string& scratch);

// Indices of `records` in list order: by folded title, then file order.
std::vector<std::size_t> TitleOrder(const std::vector<clsStarData>& records);
// The same order for `count` titles, the i-th given by `titleOf(i)`.
std::vector<std::size_t> TitleOrder(std::size_t count,
                                    const std::function<std::string_view(std::size_t)>& titleOf);

// The titles filed so far, by key. Open addressing over record indices:
// filing a title allocates nothing, and a record's key is worked out again
// only when its hash matches.
class TitleIndex {
public:
    // Slots hold 32-bit record numbers, half the room of full-size ones, so
    // more of the index stays in the cache; no memory holds this many records.
    static constexpr std::size_t kMaxRecords = UINT32_MAX - 1;

    explicit TitleIndex(std::size_t expected);

    // Files `title` as that of records[index], the next record to come,
    // unless a title equal to it but for letter case is filed already.
    bool insert(std::string_view title, std::size_t index,
                const std::vector<clsStarData>& records);

    // Takes back the filing of records[index] under `title`.
    void erase(std::string_view title, std::size_t index);

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t index = kEmpty;
    };

    void grow();

    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
    std::string m_keyScratch;
    std::string m_filedScratch;
};

}  // namespace quorvane
