#pragma once

// Help context numbers of the teacher's windows: the topics and the pop-ups
// of their controls in the application help file.
namespace ClassOverviewHelp {

inline constexpr int Topic = 485;        // the class overview
inline constexpr int Table = 80200;
inline constexpr int Filter = 80210;
inline constexpr int Export = 80220;
inline constexpr int Print = 80230;
inline constexpr int Pdf = 80240;
inline constexpr int Close = 80250;

inline constexpr int BackupTopic = 487;  // backing up and restoring learner data
inline constexpr int RestoreList = 80300;
inline constexpr int RestoreButton = 80310;
inline constexpr int RestoreAll = 80320;
inline constexpr int RestoreClose = 80330;

} // namespace ClassOverviewHelp
