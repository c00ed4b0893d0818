// NewFileListView: the view of the file list ("lvFiles"), rows selected as
// wholes, nothing edited in place, columns at their start widths.
#pragma once

class QTableView;

namespace corvane {

class FileListModel;

// A new view of `model`, which must outlive it.
QTableView* NewFileListView(FileListModel& model);

}  // namespace corvane
