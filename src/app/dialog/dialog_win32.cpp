// The main dialog on Windows: the template's controls mirror dialog::DialogState. All calls
// are the wide-character ones; texts become Shift-JIS only where they enter the logic.
#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/dialog/dialog.hpp"
#include "app/dialog/dialog_logic.hpp"
#include "app/dialog/dialog_texts.hpp"
#include "app/front_end.hpp"
#include "app/screen.hpp"
#include "jobs/job.hpp"
#include "core/platform.hpp"

namespace {

using dialog::DialogState;

// What one run of the dialog keeps: its state, and the folder the program was started in.
struct Session {
  DialogState state;
  std::string start_folder;
};

Session& session_of(HWND window) {
  return *reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
DialogState& state_of(HWND window) { return session_of(window).state; }

// Paths from pickers and drops can be longer than the classic limit.
constexpr DWORD path_capacity = 32768;

std::wstring control_text(HWND window, int id) {
  const HWND item = GetDlgItem(window, id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(item, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

// False when a character has no Shift-JIS form: the job would be handed another name.
bool to_sjis(const std::wstring& wide, std::string& sjis) {
  BOOL used_default = FALSE;
  if (!wide.empty()) {
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        nullptr, 0, nullptr, &used_default);
  }
  if (used_default) return false;
  sjis = platform::narrow(wide);
  return true;
}

void report_unrepresentable(HWND window, int row) {
  char text[512];
  std::snprintf(text, sizeof text, dialog::text::unrepresentable_path,
                state_of(window).labels[static_cast<std::size_t>(row - 1)].c_str());
  screen::show_message_box(text, window);
}

void show_field(HWND window, int row) {
  const auto& controls = dialog::row_controls[static_cast<std::size_t>(row - 1)];
  SetDlgItemTextW(window, controls.field,
                  platform::widen(state_of(window).fields[static_cast<std::size_t>(row - 1)]).c_str());
}

void show_boxes(HWND window) {
  for (std::size_t box = 0; box < dialog::option_box_count; ++box) {
    CheckDlgButton(window, dialog::option_box_table()[box].control,
                   state_of(window).box_checked[box] ? BST_CHECKED : BST_UNCHECKED);
  }
}

void read_boxes(HWND window) {
  for (std::size_t box = 0; box < dialog::option_box_count; ++box) {
    state_of(window).box_checked[box] =
        IsDlgButtonChecked(window, dialog::option_box_table()[box].control) == BST_CHECKED;
  }
}

// A click on a box: the logic decides what else changes (the other side of a merge).
void on_box_clicked(HWND window, int box) {
  read_boxes(window);
  dialog::set_box(state_of(window), box, state_of(window).box_checked[static_cast<std::size_t>(box)]);
  show_boxes(window);
}

void apply_mode_labels(HWND window) {
  state_of(window).mode = static_cast<int>(SendDlgItemMessageW(window, dialog::id_mode, CB_GETCURSEL, 0, 0));
  dialog::apply_mode_labels(state_of(window));
  for (std::size_t i = 0; i < dialog::row_count; ++i) {
    const auto& row = dialog::row_controls[i];
    SetDlgItemTextW(window, row.label, platform::widen(state_of(window).labels[i]).c_str());
    for (int id : {row.label, row.field, row.browse}) {
      EnableWindow(GetDlgItem(window, id), state_of(window).row_enabled[i]);
    }
  }
  for (std::size_t box = 0; box < dialog::option_box_count; ++box) {
    EnableWindow(GetDlgItem(window, dialog::option_box_table()[box].control),
                 state_of(window).box_enabled[box]);
  }
}

void run_dialog_job(HWND window) {
  for (int row = 1; row <= dialog::row_count; ++row) {
    // A disabled row is not passed: a name left there by another mode refuses nothing.
    if (!state_of(window).row_enabled[static_cast<std::size_t>(row - 1)]) continue;
    const auto& controls = dialog::row_controls[static_cast<std::size_t>(row - 1)];
    if (!to_sjis(control_text(window, controls.field), state_of(window).fields[static_cast<std::size_t>(row - 1)])) {
      report_unrepresentable(window, row);
      return;
    }
  }
  read_boxes(window);
  run_and_report(dialog::dialog_job_arguments(state_of(window)), session_of(window).start_folder,
                 ReportTo::message_box, window);
}

std::wstring browse_folder(HWND window, const dialog::BrowseRequest& request) {
  const std::wstring title = platform::widen(request.title);
  BROWSEINFOW info{};
  info.hwndOwner = window;
  info.lpszTitle = title.c_str();
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (!list) return std::wstring();
  std::wstring path(path_capacity, L'\0');
  // The long form exists only on newer systems; the classic one takes MAX_PATH characters.
  if (!SHGetPathFromIDListEx(list, path.data(), path_capacity, GPFIDL_DEFAULT) &&
      !SHGetPathFromIDListW(list, path.data())) {
    path.clear();
  }
  CoTaskMemFree(list);
  path.resize(wcslen(path.c_str()));
  return path;
}

std::wstring browse_file(HWND window, const dialog::BrowseRequest& request) {
  std::wstring filter;
  for (const dialog::FileFilter& f : request.filters) {
    filter += platform::widen(f.name);
    filter += L'\0';
    filter += platform::widen(f.pattern);
    filter += L'\0';
  }
  filter += L'\0';
  const std::wstring title = platform::widen(request.title);
  std::wstring path(path_capacity, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = path_capacity;
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_CREATEPROMPT;
  if (!GetOpenFileNameW(&ofn)) return std::wstring();
  path.resize(wcslen(path.c_str()));
  return path;
}

void browse_for_path(HWND window, int row) {
  const dialog::BrowseRequest request = dialog::browse_request(state_of(window).mode, row);
  const std::wstring picked = request.kind == dialog::BrowseKind::folder
                                  ? browse_folder(window, request)
                                  : browse_file(window, request);
  std::string path;
  if (!to_sjis(picked, path)) {
    report_unrepresentable(window, row);
    return;
  }
  // The state's other fields may be older than the controls: only a set field is shown.
  if (dialog::apply_browse_result(state_of(window), row, path)) show_field(window, row);
}

void accept_dropped_files(HWND window, HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  bool representable = true;
  for (UINT i = 0; i < count && representable; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(DragQueryFileW(drop, i, wide.data(), length + 1));
    paths.emplace_back();
    representable = to_sjis(wide, paths.back());
  }
  DragFinish(drop);
  if (!representable) {
    report_unrepresentable(window, 1);
    return;
  }
  if (dialog::apply_dropped_files(state_of(window), paths)) show_field(window, 1);
}

void start_dialog(HWND window) {
  SetWindowTextW(window, platform::widen(dialog::text::caption).c_str());
  for (std::size_t i = 0; i < dialog::mode_count; ++i) {
    SendDlgItemMessageW(window, dialog::id_mode, CB_INSERTSTRING, i,
                        reinterpret_cast<LPARAM>(platform::widen(dialog::mode_table()[i].text).c_str()));
  }
  SendDlgItemMessageW(window, dialog::id_mode, CB_SETCURSEL, 0, 0);
  apply_mode_labels(window);
  DragAcceptFiles(window, TRUE);
}

bool on_command(HWND window, int id) {
  switch (id) {
    case IDOK: run_dialog_job(window); return true;
    case IDCANCEL: EndDialog(window, 0); return true;
    case dialog::id_mode: apply_mode_labels(window); return true;
    default: break;
  }
  for (int row = 1; row <= dialog::row_count; ++row) {
    if (id != dialog::row_controls[static_cast<std::size_t>(row - 1)].browse) continue;
    browse_for_path(window, row);
    return true;
  }
  for (int box = 0; box < dialog::option_box_count; ++box) {
    if (id != dialog::option_box_table()[static_cast<std::size_t>(box)].control) continue;
    on_box_clicked(window, box);
    return true;
  }
  return false;
}

INT_PTR CALLBACK dialog_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(window, GWLP_USERDATA, lparam);
      start_dialog(window);
      return TRUE;
    case WM_COMMAND: return on_command(window, LOWORD(wparam)) ? TRUE : FALSE;
    case WM_DROPFILES: accept_dropped_files(window, reinterpret_cast<HDROP>(wparam)); return TRUE;
    case WM_CLOSE: EndDialog(window, 0); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int run_main_dialog(const std::string& start_folder) {
  // The folder browser is a shell object and wants a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Session session{DialogState(), start_folder};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, dialog_procedure,
                  reinterpret_cast<LPARAM>(&session));
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
