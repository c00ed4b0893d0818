// The English texts of batch and undo outcomes, as the caller passes them to
// Translate. Error texts of file operations live with the file system.
#pragma once

#include "base/english_text.h"

namespace corvane::batch_texts {

inline constexpr char16_t kSelectDestination[] =
    EN_TEXT("Please select a destination folder for Copy/Move mode.");
inline constexpr char16_t kBuildPreviewFirst[] =
    EN_TEXT("Please build preview first (click \"Preview Result\" button).");
inline constexpr char16_t kBatchCompleted[] =
    EN_TEXT("Batch completed. A CSV log has been saved in AppData.");
inline constexpr char16_t kBatchCompletedIn[] =
    EN_TEXT("Batch completed. A CSV log has been saved in %s.");
inline constexpr char16_t kSelectBatchMode[] = EN_TEXT("Please select a batch mode.");
inline constexpr char16_t kNoUndoLog[] = EN_TEXT("No undo log found in AppData.");
inline constexpr char16_t kUndoCompleted[] =
    EN_TEXT("Undo completed for the last rename operation.");
inline constexpr char16_t kUnableToCreateDirectory[] = EN_TEXT("Unable to create directory");
inline constexpr char16_t kUnableToCreateFolder[] = EN_TEXT("Unable to create directory: %s");
inline constexpr char16_t kBatchStopped[] =
    EN_TEXT("Batch stopped after %d of %d files. The undo log holds what was done.");
inline constexpr char16_t kUndoStopped[] =
    EN_TEXT("Undo stopped after %d of %d files. Undo again to take back the others.");
inline constexpr char16_t kNotAFile[] = EN_TEXT("Not a file any more: %s");
inline constexpr char16_t kNotAValidName[] = EN_TEXT("Not a valid file name: %s");
inline constexpr char16_t kNameTooLong[] = EN_TEXT("File name too long: %s");
inline constexpr char16_t kAnotherBatchRuns[] =
    EN_TEXT("Another batch or undo is running. Try again when it has ended.");
inline constexpr char16_t kFileInTheWay[] =
    EN_TEXT("Another file now stands at %s. Move it away, then undo again.");

}  // namespace corvane::batch_texts
