#include "platform/Win32Platform_win.h"

#include "platform/WideText_win.h"

namespace korvi {

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  DWORD a = ::GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
// Opens a file for reading, shared with writers and deleters; Missing or Failed when it cannot.
FileSystem::ReadResult OpenForReading(const std::string& path, HANDLE& f) {
  f = ::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f != INVALID_HANDLE_VALUE) return FileSystem::ReadResult::Ok;
  DWORD e = ::GetLastError();
  return (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) ? FileSystem::ReadResult::Missing
                                                                  : FileSystem::ReadResult::Failed;
}

// Reads up to `count` bytes from the file's current place; a file that ends (or shrinks
// while being read) sooner gives what was there. False when a read fails: half a settings
// file must never be taken for the whole one, since it would be saved over it.
bool ReadUpTo(Win32FileSystem::ReadCall read, HANDLE f, std::string& content, size_t count) {
  content.assign(count, '\0');
  size_t done = 0;
  bool ok = true;
  while (done < content.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 24));
    if (!read(f, content.data() + done, want, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    done += got;
  }
  content.resize(done);
  return ok;
}
}  // namespace

FileSystem::ReadResult Win32FileSystem::ReadWholeFile(const std::string& path, std::string& content,
                                                       std::size_t limit) {
  HANDLE f;
  if (ReadResult opened = OpenForReading(path, f); opened != ReadResult::Ok) return opened;
  LARGE_INTEGER size{};
  ReadResult result = ReadResult::Ok;
  if (!::GetFileSizeEx(f, &size) || size.QuadPart < 0) {
    result = ReadResult::Failed;
  } else if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    result = ReadResult::TooLarge;
  } else {
    if (!ReadUpTo(Read, f, content, static_cast<size_t>(size.QuadPart))) result = ReadResult::Failed;
  }
  ::CloseHandle(f);
  return result;
}

FileSystem::ReadResult Win32FileSystem::ReadFileStart(const std::string& path, std::string& content,
                                                       std::size_t count) {
  HANDLE f;
  if (ReadResult opened = OpenForReading(path, f); opened != ReadResult::Ok) return opened;
  const bool whole = ReadUpTo(Read, f, content, count);
  ::CloseHandle(f);
  return whole ? ReadResult::Ok : ReadResult::Failed;
}

bool Win32FileSystem::ReplaceFileContent(const std::string& path, const std::string& content) {
  const std::wstring target = Widen(path), temp = Widen(path + ".tmp");
  HANDLE f = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < content.size()) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 24));
    ok = ::WriteFile(f, content.data() + done, want, &put, nullptr) && put == want;
    done += put;
  }
  ok = ::FlushFileBuffers(f) && ok;
  ok = ::CloseHandle(f) && ok;
  // A read-only settings file is the user's choice: do not replace it behind their back.
  DWORD attrs = ::GetFileAttributesW(Widen(path).c_str());
  if (ok && attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) ok = false;
  // The new text is whole on disk before the old file goes. ReplaceFileW gives the
  // new file the old one's attributes (hidden, compressed, ...), security and
  // creation time; either it or the rename leaves the old file or the new one under
  // the name, never a mix.
  const auto moveIntoPlace = [&] {
    return ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  };
  if (!ok) {
    ::DeleteFileW(temp.c_str());
    return false;
  }
  // Another program reading the file at this moment (a viewer, a virus scanner, a
  // backup) keeps it from being replaced: the replace is tried again until it lets go,
  // for a second at most.
  const DWORD since = ::GetTickCount();
  for (;;) {
    DWORD error = ERROR_SUCCESS;
    if (attrs == INVALID_FILE_ATTRIBUTES) {
      ok = moveIntoPlace();
      if (!ok) error = ::GetLastError();
    } else if (Replace(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      ok = true;
      // Wine's ReplaceFileW leaves the new file's own attributes: give it the old ones.
      if (::GetFileAttributesW(Widen(path).c_str()) != attrs) ::SetFileAttributesW(target.c_str(), attrs);
    } else {
      error = ::GetLastError();
      // These two say the old file has already left its name (deleted, or renamed to a name we
      // were not told), and the new text exists only in the temporary file: it must go in place.
      if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        if (!moveIntoPlace()) return false;  // the temporary file is all that is left of the text: keep it
        ::SetFileAttributesW(target.c_str(), attrs);
        return true;
      }
      ok = false;
    }
    const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                      error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    if (ok || !busy || ::GetTickCount() - since >= 1000) break;
    ::Sleep(20);
  }
  if (!ok) ::DeleteFileW(temp.c_str());
  return ok;
}

std::string Win32FileSystem::AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n = static_cast<int>(std::min<size_t>(ansi.size(), 0x7FFFFFFF / 4));
  std::wstring wide(static_cast<size_t>(n), L'\0');
  const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, wide.data(), n);
  return units > 0 ? Narrow(std::wstring_view(wide.data(), static_cast<size_t>(units))) : std::string();
}

bool Win32FileSystem::Utf8ToAnsi(std::string_view utf8, std::string& ansi) {
  ansi.clear();
  if (utf8.empty()) return true;
  const std::wstring wide = Widen(utf8);
  if (wide.find(L'\xFFFD') != std::wstring::npos) return false;  // no text, or one no code page holds
  const int units = static_cast<int>(wide.size());
  // A system whose ANSI code page is UTF-8 holds everything; the "used default"
  // report is not allowed for it.
  if (::GetACP() == CP_UTF8) {
    ansi.assign(utf8);
    return true;
  }
  // No best fit: "\u0141" must not quietly become "L".
  BOOL lossy = FALSE;
  const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, nullptr,
                                          &lossy);
  if (bytes <= 0 || lossy) return false;
  ansi.assign(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, ansi.data(), bytes, nullptr, &lossy);
  return !lossy;
}

void Win32Shell::SetWallpaper(const std::string& file) {
  // Neither written to the user profile nor broadcast: the change lasts for this session.
  std::wstring name = Widen(file);
  ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, name.data(), 0);
}

void Win32Shell::ShowError(const std::string& text) {
  ::MessageBoxW(Owner, Widen(text).c_str(), L"Korvi8", MB_OK | MB_ICONERROR);
}

}  // namespace korvi
