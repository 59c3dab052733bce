// The numbers of the editing control's margins, line markers and indicators, in one table so
// that no two features take the same number. Style numbers are in editor_record.h.
#pragma once

// Margins.
constexpr int margin_line_numbers = 0;
constexpr int margin_bookmarks = 1;
constexpr int margin_fold = 2;
constexpr int margin_unused = 4; // no width: it only makes the error mark drawable translucent

// Line markers (the fold markers take the control's own numbers 25 to 31).
constexpr int marker_bookmark = 0;
constexpr int marker_line_background = 1;
constexpr int marker_error = 2;
constexpr int bookmark_mask = 1 << marker_bookmark;

// Indicators: the control leaves 8 and up to its users.
constexpr int indicator_match = 8;
constexpr int indicator_problem = 9; // a problem the analysis found: a squiggle
constexpr int indicator_hint = 10;   // a hint of the analysis: faint dots
