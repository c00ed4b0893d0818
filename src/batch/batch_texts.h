// The English texts of batch and undo outcomes, as the caller passes them to
// Translate. Error texts of file operations live with the file system.
#pragma once

namespace corvane::batch_texts {

inline constexpr char16_t kSelectDestination[] =
    u"Please select a destination folder for Copy/Move mode.";
inline constexpr char16_t kBuildPreviewFirst[] =
    u"Please build preview first (click \"Preview Result\" button).";
inline constexpr char16_t kBatchCompleted[] =
    u"Batch completed. A CSV log has been saved in AppData.";
inline constexpr char16_t kSelectBatchMode[] = u"Please select a batch mode.";
inline constexpr char16_t kNoUndoLog[] = u"No undo log found in AppData.";
inline constexpr char16_t kUndoCompleted[] = u"Undo completed for the last rename operation.";
inline constexpr char16_t kUnableToCreateDirectory[] = u"Unable to create directory";
inline constexpr char16_t kBatchStopped[] =
    u"Batch stopped after %d of %d files. The undo log holds what was done.";
inline constexpr char16_t kUndoStopped[] =
    u"Undo stopped after %d of %d files. Undo again to take back the others.";
inline constexpr char16_t kNotAFile[] = u"Not a file any more: %s";
inline constexpr char16_t kNotAValidName[] = u"Not a valid file name: %s";
inline constexpr char16_t kNameTooLong[] = u"File name too long: %s";
inline constexpr char16_t kAnotherBatchRuns[] =
    u"Another batch or undo is running. Try again when it has ended.";
inline constexpr char16_t kFileInTheWay[] =
    u"Another file now stands at %s. Move it away, then undo again.";

}  // namespace corvane::batch_texts
