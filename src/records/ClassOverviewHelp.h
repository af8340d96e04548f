#pragma once

// Help context numbers of the teacher's windows: the topics and the pop-ups
// of their controls in the application help file.
namespace ClassOverviewHelp {

inline constexpr int Topic = 486;        // the class overview
inline constexpr int Table = 80400;
inline constexpr int Filter = 80410;
inline constexpr int Export = 80420;
inline constexpr int Print = 80430;
inline constexpr int Pdf = 80440;
inline constexpr int Close = 80450;

inline constexpr int BackupTopic = 487;  // backing up and restoring learner data
inline constexpr int RestoreList = 80500;
inline constexpr int RestoreButton = 80510;
inline constexpr int RestoreAll = 80520;
inline constexpr int RestoreClose = 80530;

} // namespace ClassOverviewHelp
