// The purge of entries that lie in the past.
#pragma once

#include <string>
#include <string_view>

#include "render/today_fields.h"
#include "schedule/schedule_list.h"

namespace murva {

inline constexpr const char* kPurgeConfirmMessage =
    "過去日となった予定を一括削除することができます．実行しますか？";
inline constexpr const char* kPurgeCancelledMessage = "過去日となった予定の一括削除を中止しました";
inline constexpr const char* kPurgeNothingMessage = "削除対象となる予定データはありませんでした";
inline constexpr const char* kPurgeDoneSuffix = "件の過去日となった予定を削除しました";

// Whether an entry lies before today. Only a dated entry can: its first eight
// characters are two-digit year, month and day with "/" between them, the
// year read in today's century. An entry for every year ("@@"), a repeating
// pattern carrying a year ("25/@@/20", "25/06/A2", "25/@@/W5") and any line
// of another layout never count as past. A dated entry with an impossible day
// is judged by its fields (25/02/30 lies after 25/02/28).
bool IsPastEntry(std::string_view line, const TodayFields& today);

// Removes the past entries; returns how many were removed.
int RemovePastEntries(ScheduleList& entries, const TodayFields& today);

// The message after a purge: kPurgeNothingMessage, or the count followed by
// kPurgeDoneSuffix ("3件の過去日となった予定を削除しました").
std::string PurgeResultMessage(int removed);

}  // namespace murva
