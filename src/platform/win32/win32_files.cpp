#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace corvane::win32 {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

ErrorCode LastError() {
  const DWORD code = GetLastError();
  // A failed call that set no code must not read as success.
  return code == kOk ? ERROR_GEN_FAILURE : code;
}

// FILE_FLAG_BACKUP_SEMANTICS opens folders too.
HANDLE OpenExisting(const std::wstring& path, DWORD access, bool followLinks) {
  return CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT),
                     nullptr);
}

ErrorCode ReadIdentity(const std::wstring& path, bool followLinks, FileId* id) {
  Handle h(OpenExisting(path, 0, followLinks));
  if (!h.valid()) return LastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.get(), &info)) return LastError();
  id->volume = info.dwVolumeSerialNumber;
  id->index = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  id->links = info.nNumberOfLinks;
  return kOk;
}

// The attributes of what `path` leads to, links followed.
DWORD FollowedAttributes(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_REPARSE_POINT)) return a;
  Handle h(OpenExisting(path, 0, true));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h.valid() || !GetFileInformationByHandle(h.get(), &info)) return INVALID_FILE_ATTRIBUTES;
  return info.dwFileAttributes;
}

bool IsLinkReparsePoint(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  const HANDLE h = FindFirstFileW(path.c_str(), &data);
  // Unreadable: taken for a link, the entry moved as it is.
  if (h == INVALID_HANDLE_VALUE) return true;
  FindClose(h);
  return data.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
         data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT;
}

bool IsDelimiter(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

std::wstring TemporaryNameIn(std::wstring_view folder) {
  static unsigned counter = 0;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const uint64_t mixed = (uint64_t(now.QuadPart) * 0x9E3779B97F4A7C15ull) ^
                         (uint64_t(GetCurrentProcessId()) << 32) ^ ++counter;
  wchar_t digits[17];
  for (int i = 15; i >= 0; --i) digits[15 - i] = L"0123456789abcdef"[(mixed >> (i * 4)) & 15];
  digits[16] = L'\0';
  return std::wstring(folder) + L".corvane-" + digits;
}

}  // namespace

ErrorCode IdentityOf(const std::wstring& path, FileId* id) { return ReadIdentity(path, true, id); }

std::wstring_view FolderOf(std::wstring_view path) {
  size_t end = path.size();
  while (end > 0 && !IsDelimiter(path[end - 1])) --end;
  return path.substr(0, end);
}

std::wstring_view NameOf(std::wstring_view path) { return path.substr(FolderOf(path).size()); }

std::wstring ListedName(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  const HANDLE h = FindFirstFileW(path.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return {};
  FindClose(h);
  return data.cFileName;
}

// --- WritableHandle, ExclusiveHold ---

WritableHandle::~WritableHandle() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

ErrorCode WritableHandle::Append(const char* data, size_t size) {
  if (hooks_->beforeChange) hooks_->beforeChange();
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = DWORD(std::min<size_t>(size, size_t(1) << 30));
    if (!WriteFile(handle_, data, chunk, &written, nullptr)) return LastError();
    data += written;
    size -= written;
  }
  return kOk;
}

ErrorCode WritableHandle::Sync() {
  if (hooks_->beforeChange) hooks_->beforeChange();
  return FlushFileBuffers(handle_) ? kOk : LastError();
}

ErrorCode WritableHandle::TruncateTo(int64_t size) {
  if (hooks_->beforeChange) hooks_->beforeChange();
  LARGE_INTEGER at;
  at.QuadPart = size;
  if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_)) {
    return LastError();
  }
  return kOk;
}

ErrorCode WritableHandle::Close() {
  const HANDLE h = std::exchange(handle_, INVALID_HANDLE_VALUE);
  if (h == INVALID_HANDLE_VALUE) return kOk;
  return CloseHandle(h) ? kOk : LastError();
}

ExclusiveHold::~ExclusiveHold() { CloseHandle(handle_); }

// --- FileOps ---

void FileOps::Step() const {
  if (hooks_.beforeChange) hooks_.beforeChange();
}

Kind FileOps::LookUp(const std::wstring& path) const {
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return Kind::kNone;
  if ((a & FILE_ATTRIBUTE_REPARSE_POINT) && IsLinkReparsePoint(path)) return Kind::kLink;
  return (a & FILE_ATTRIBUTE_DIRECTORY) ? Kind::kFolder : Kind::kFile;
}

bool FileOps::FileExists(const std::wstring& path) const {
  const DWORD a = FollowedAttributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileOps::FolderExists(const std::wstring& path) const {
  const DWORD a = FollowedAttributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileOps::IsPlainFolder(const std::wstring& path) const {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) &&
         !(a & FILE_ATTRIBUTE_REPARSE_POINT);
}

ErrorCode FileOps::RemoveFile(const std::wstring& path) {
  Step();
  return DeleteFileW(path.c_str()) ? kOk : LastError();
}

ErrorCode FileOps::MoveNoReplace(const std::wstring& from, const std::wstring& to,
                                 const std::wstring& temp) {
  return Move(from, to, temp, false);
}

ErrorCode FileOps::MoveReplacing(const std::wstring& from, const std::wstring& to,
                                 const std::wstring& temp) {
  return Move(from, to, temp, true);
}

// Without MOVEFILE_COPY_ALLOWED: across volumes MoveFileEx would copy straight
// onto the target name (a kill mid-copy leaves half a file there) and report
// success when the source could not be deleted. Within a volume a successful
// rename is the whole move, and nothing is deleted after it: on a
// case-insensitive volume the source's spelling still finds the file itself.
ErrorCode FileOps::Move(const std::wstring& from, const std::wstring& to, const std::wstring& temp,
                        bool replace) {
  Step();
  ErrorCode err = std::exchange(hooks_.nextRenameError, kOk);
  if (err == kOk) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    err = MoveFileExW(from.c_str(), to.c_str(), flags) ? kOk : LastError();
  }
  if (err == ERROR_NOT_SAME_DEVICE) return MoveAcrossVolumes(from, to, temp, replace);
  return err;
}

// Copy, rename, then delete the source: whenever the source is gone, the whole
// copy stands at `to`, flushed to disk.
ErrorCode FileOps::MoveAcrossVolumes(const std::wstring& from, const std::wstring& to,
                                     const std::wstring& temp, bool replace) {
  if (const ErrorCode err = CopyTo(from, temp, true)) return err;
  Step();
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!MoveFileExW(temp.c_str(), to.c_str(), flags)) {
    const ErrorCode err = LastError();
    Discard(temp);
    return err;
  }
  // Only a source that is another file than the one now at `to` may go.
  FileId source, target;
  if (const ErrorCode err = ReadIdentity(from, false, &source)) {
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return kOk;
    return err;  // both stay: nothing is lost, and an undo finds the same bytes twice
  }
  if (const ErrorCode err = ReadIdentity(to, false, &target)) return err;
  if (source.SameFileAs(target)) return kOk;
  if (const ErrorCode err = DeleteSource(from)) {
    // Keep exactly one file: the source stays, so the copy goes.
    Discard(to);
    return err;
  }
  return kOk;
}

// CopyFileEx carries content, attributes and times, and a link as a link.
// Returns with nothing left at `temp` on failure.
ErrorCode FileOps::CopyTo(const std::wstring& from, const std::wstring& temp, bool flush) {
  // What a killed copy to the same target left; CopyFileEx does not replace
  // a read-only file.
  const DWORD left = GetFileAttributesW(temp.c_str());
  if (left != INVALID_FILE_ATTRIBUTES && (left & FILE_ATTRIBUTE_READONLY)) {
    Step();
    SetFileAttributesW(temp.c_str(), left & ~DWORD(FILE_ATTRIBUTE_READONLY));
  }
  Step();
  if (!CopyFileExW(from.c_str(), temp.c_str(), nullptr, nullptr, nullptr, COPY_FILE_COPY_SYMLINK)) {
    const ErrorCode err = LastError();
    Discard(temp);
    return err;
  }
  const DWORD a = GetFileAttributesW(temp.c_str());
  if (!flush || a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT)) return kOk;
  // Flushing takes a handle open for writing, which a read-only file refuses.
  const bool readOnly = a & FILE_ATTRIBUTE_READONLY;
  if (readOnly) SetFileAttributesW(temp.c_str(), a & ~DWORD(FILE_ATTRIBUTE_READONLY));
  ErrorCode err = kOk;
  {
    Step();
    Handle h(OpenExisting(temp, GENERIC_WRITE, false));
    if (!h.valid() || !FlushFileBuffers(h.get())) err = LastError();
  }
  if (readOnly) SetFileAttributesW(temp.c_str(), a);
  if (err != kOk) Discard(temp);
  return err;
}

// A move takes a read-only file along, as a rename within a volume does.
ErrorCode FileOps::DeleteSource(const std::wstring& path) {
  Step();
  if (DeleteFileW(path.c_str())) return kOk;
  const ErrorCode err = LastError();
  const DWORD a = GetFileAttributesW(path.c_str());
  if (err != ERROR_ACCESS_DENIED || a == INVALID_FILE_ATTRIBUTES ||
      !(a & FILE_ATTRIBUTE_READONLY)) {
    return err;
  }
  Step();
  SetFileAttributesW(path.c_str(), a & ~DWORD(FILE_ATTRIBUTE_READONLY));
  Step();
  if (DeleteFileW(path.c_str())) return kOk;
  const ErrorCode again = LastError();
  SetFileAttributesW(path.c_str(), a);
  return again;
}

// Removes a copy this layer made, read-only or not.
void FileOps::Discard(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return;
  if (a & FILE_ATTRIBUTE_READONLY) {
    Step();
    SetFileAttributesW(path.c_str(), a & ~DWORD(FILE_ATTRIBUTE_READONLY));
  }
  Step();
  DeleteFileW(path.c_str());
}

ErrorCode FileOps::CopyViaTemporary(const std::wstring& from, const std::wstring& to,
                                    const std::wstring& temp, bool replace) {
  if (const ErrorCode err = CopyTo(from, temp, false)) return err;
  Step();
  if (!MoveFileExW(temp.c_str(), to.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
    const ErrorCode err = LastError();
    Discard(temp);
    return err;
  }
  return kOk;
}

bool FileOps::IsSameEntry(const std::wstring& a, const std::wstring& b) const {
  FileId ia, ib;
  if (ReadIdentity(a, false, &ia) != kOk || ReadIdentity(b, false, &ib) != kOk ||
      !ia.SameFileAs(ib)) {
    return false;
  }
  if (ia.links <= 1) return true;
  // Hard links share the file: one entry is one name in one folder.
  const std::wstring folderA(FolderOf(a));
  const std::wstring folderB(FolderOf(b));
  FileId fa, fb;
  if (ReadIdentity(folderA.empty() ? L"." : folderA, true, &fa) != kOk ||
      ReadIdentity(folderB.empty() ? L"." : folderB, true, &fb) != kOk || !fa.SameFileAs(fb)) {
    return false;
  }
  const std::wstring_view nameA = NameOf(a);
  const std::wstring_view nameB = NameOf(b);
  return CompareStringOrdinal(nameA.data(), int(nameA.size()), nameB.data(), int(nameB.size()),
                              TRUE) == CSTR_EQUAL;
}

ErrorCode FileOps::RenameSameEntry(const std::wstring& from, const std::wstring& to) {
  Step();
  if (!MoveFileExW(from.c_str(), to.c_str(), 0)) return LastError();
  const std::wstring_view wanted = NameOf(to);
  const std::wstring listed = ListedName(to);
  if (listed.empty() || listed == wanted) return kOk;
  // The rename kept the old spelling: it took the two names for one.
  std::wstring temp;
  ErrorCode err = ERROR_ALREADY_EXISTS;
  for (int attempt = 0; attempt < 100 && err == ERROR_ALREADY_EXISTS; ++attempt) {
    temp = TemporaryNameIn(FolderOf(to));
    Step();
    err = MoveFileExW(to.c_str(), temp.c_str(), 0) ? kOk : LastError();
    if (err == ERROR_FILE_EXISTS) err = ERROR_ALREADY_EXISTS;
  }
  if (err != kOk) return err;
  Step();
  if (!MoveFileExW(temp.c_str(), to.c_str(), 0)) {
    err = LastError();
    Step();
    MoveFileExW(temp.c_str(), from.c_str(), 0);
    return err;
  }
  return kOk;
}

ErrorCode FileOps::SetLastWriteTime(const std::wstring& path, int64_t ticks) {
  Handle h(OpenExisting(path, FILE_WRITE_ATTRIBUTES, true));
  if (!h.valid()) return LastError();
  FILETIME ft;
  ft.dwLowDateTime = DWORD(uint64_t(ticks));
  ft.dwHighDateTime = DWORD(uint64_t(ticks) >> 32);
  Step();
  return SetFileTime(h.get(), nullptr, nullptr, &ft) ? kOk : LastError();
}

ErrorCode FileOps::HoldSameBytes(const std::wstring& a, const std::wstring& b, bool* same) const {
  Handle ha(CreateFileW(a.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!ha.valid()) return LastError();
  Handle hb(CreateFileW(b.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!hb.valid()) return LastError();
  LARGE_INTEGER sizeA, sizeB;
  if (!GetFileSizeEx(ha.get(), &sizeA) || !GetFileSizeEx(hb.get(), &sizeB)) return LastError();
  *same = false;
  if (sizeA.QuadPart != sizeB.QuadPart) return kOk;
  constexpr DWORD kChunk = 256 * 1024;
  std::vector<char> bufA(kChunk), bufB(kChunk);
  for (;;) {
    DWORD n = 0, m = 0;
    if (!ReadFile(ha.get(), bufA.data(), kChunk, &n, nullptr) ||
        !ReadFile(hb.get(), bufB.data(), kChunk, &m, nullptr)) {
      return LastError();
    }
    if (n != m || !std::equal(bufA.begin(), bufA.begin() + n, bufB.begin())) return kOk;
    if (n == 0) break;
  }
  *same = true;
  return kOk;
}

ErrorCode FileOps::NewWritable(const std::wstring& path, std::unique_ptr<WritableHandle>* file) {
  Step();
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  *file = std::make_unique<WritableHandle>(h, &hooks_);
  return kOk;
}

// GENERIC_WRITE rather than FILE_APPEND_DATA alone: taking appends back
// (SetEndOfFile) needs the right to write data.
ErrorCode FileOps::NewAppendable(const std::wstring& path, std::unique_ptr<WritableHandle>* file) {
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(h, zero, nullptr, FILE_END)) {
    const ErrorCode err = LastError();
    CloseHandle(h);
    return err;
  }
  *file = std::make_unique<WritableHandle>(h, &hooks_);
  return kOk;
}

ErrorCode FileOps::HoldExclusively(const std::wstring& path, std::unique_ptr<ExclusiveHold>* hold) {
  Step();
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  *hold = std::make_unique<ExclusiveHold>(h);
  return kOk;
}

}  // namespace corvane::win32
