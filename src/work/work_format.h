#pragma once
// A work file: one JSON document holding every pane, choice and report of
// the windows, the curve sheet and which windows were open. These are the
// limits and names every reader and writer of it shares.

#include <cstdint>

namespace aqualen::work {

// The document's "format" member; a file without it is not a work.
inline constexpr const char* kWorkFormatName = "aqualen-work";
// The layout written by this program. A reader takes every version up to
// its own and refuses newer ones, which may hold what it cannot show.
inline constexpr int kWorkFormatVersion = 1;
// Without the dot, as file dialogs and the desktop's file type name it.
inline constexpr const char* kWorkSuffix = "aqualen";
inline constexpr const char* kWorkMimeType = "application/x-aqualen-work";

// Larger files are refused before they are read: 256 MiB holds every pane at
// its line limit many times over.
inline constexpr int64_t kMaxWorkFileBytes = int64_t{256} * 1024 * 1024;

// Entries of "Последние работы".
inline constexpr int kMaxRecentWorks = 8;

// The unsaved work is copied for recovery this often.
inline constexpr int kAutosaveIntervalMs = 2 * 60 * 1000;

} // namespace aqualen::work
