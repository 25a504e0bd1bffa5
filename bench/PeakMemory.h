// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace quorvel::bench {

// The command-line flag that makes the bench program measure peak memory instead of timing.
inline constexpr char kPeakMemoryFlag[] = "--peak-memory";
// The same after a long slider gesture instead of one move.
inline constexpr char kPeakMemoryGestureFlag[] = "--peak-memory-gesture";

// For a fresh process only: opens the main window empty, then loads `picturePath` the
// command-line way, corrects it with one slider move and builds both panel views. Returns how far
// the peak resident memory rose above the empty window's resident memory, in bytes.
// Throws std::runtime_error when /proc cannot tell or reset the peak.
std::int64_t peakMemoryOfCorrectedPicture(const QString& picturePath);
// As peakMemoryOfCorrectedPicture, with a long slider gesture (every position from neutral to the
// top and on to the bottom, one notification each, the window handling its events in between)
// ending when the working picture is settled.
std::int64_t peakMemoryAfterGesture(const QString& picturePath);

// Runs peakMemoryOfCorrectedPicture in a fresh copy of this program (started with
// kPeakMemoryFlag and the path) and returns its answer. Throws std::runtime_error when that
// process fails.
std::int64_t peakMemoryInFreshProcess(const QString& picturePath,
                                      const char* flag = kPeakMemoryFlag);

}  // namespace quorvel::bench
