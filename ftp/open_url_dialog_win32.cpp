#include "ftp/open_url_dialog_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "config/dialog_common_win32.h"
#include "config/dialog_store.h"
#include "core/panel_context.h"
#include "ftp/connection_properties.h"
#include "ftp/ftp_dialog_ids.h"
#include "ftp/ftp_session_win32.h"
#include "ftp/saved_urls.h"
#include "platform/message_box.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

// Offered when nothing was saved yet.
constexpr wchar_t kDefaultHost[] = L"ftp.debian.org";

struct OpenUrlState {
  HWND owner = nullptr;
  std::vector<SavedUrl> saved;
  Text url;
  Text login;
  Text password;
  bool anonymous = false;
  bool save = false;
  // Set with "Properties" for the server named by propertiesEntry.
  Text propertiesEntry;
  ConnectionProperties properties;
};

struct PropertiesCall {
  HWND owner = nullptr;
  Text entry;
  ConnectionProperties properties;
};

OpenUrlState* StateOf(HWND dialog) { return reinterpret_cast<OpenUrlState*>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

BOOL OnOpenUrlInit(HWND dialog, OpenUrlState& state) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  const HWND urls = ::GetDlgItem(dialog, IDC_URL_COMBO);
  for (const SavedUrl& url : state.saved)
    ::SendMessageW(urls, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(AddressText(url.address))));
  for (HWND field : {urls, ::GetDlgItem(dialog, IDC_LOGIN_COMBO)})
    ::SendMessageW(field, CB_LIMITTEXT, kFtpFieldLength - 1, 0);
  ::SendDlgItemMessageW(dialog, IDC_PASSWORD_FIELD, EM_LIMITTEXT, kFtpFieldLength - 1, 0);
  ::SetWindowTextW(urls, kDefaultHost);
  ::SendMessageW(urls, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  return FocusAndCentre(dialog, urls, state.owner);
}

// A saved server picked from the list brings its login along.
void OnUrlPicked(HWND dialog, const OpenUrlState& state) {
  const LRESULT index = ::SendDlgItemMessageW(dialog, IDC_URL_COMBO, CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<size_t>(index) >= state.saved.size()) return;
  const SavedUrl& url = state.saved[static_cast<size_t>(index)];
  const bool anonymous = url.login == u"anonymous";
  ::SetDlgItemTextW(dialog, IDC_LOGIN_COMBO, anonymous ? L"" : platform::Wide(url.login));
  ::CheckDlgButton(dialog, IDC_ANONYMOUS_CHECK, anonymous ? BST_CHECKED : BST_UNCHECKED);
}

Text FieldText(HWND dialog, int id) {
  wchar_t buffer[kFtpFieldLength] = {};
  ::GetDlgItemTextW(dialog, id, buffer, static_cast<int>(kFtpFieldLength));
  return platform::FromWide(buffer);
}

void ReadFields(HWND dialog, OpenUrlState& state) {
  state.url = FieldText(dialog, IDC_URL_COMBO);
  state.anonymous = ::IsDlgButtonChecked(dialog, IDC_ANONYMOUS_CHECK) == BST_CHECKED;
  state.save = ::IsDlgButtonChecked(dialog, IDC_SAVE_URL_CHECK) == BST_CHECKED;
  if (state.anonymous) {
    state.login = u"anonymous";
    state.password.clear();
  } else {
    state.login = FieldText(dialog, IDC_LOGIN_COMBO);
    state.password = FieldText(dialog, IDC_PASSWORD_FIELD);
  }
}

void OnOpen(HWND dialog, OpenUrlState& state) {
  ReadFields(dialog, state);
  ::EndDialog(dialog, kDialogOk);
}

void ShowRefusal(HWND owner, const Text& message) {
  platform::ShowMessage({owner, message, u"Error", platform::MessageIcon::Error, platform::MessageButtons::Ok});
}

// The server's properties: the ones set before in this dialog, else the stored ones.
ConnectionProperties PropertiesFor(const OpenUrlState& state, const Text& entry) {
  return entry == state.propertiesEntry ? state.properties : PropertiesOf(entry);
}

BOOL OnPropertiesInit(HWND dialog, PropertiesCall& call) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&call));
  ::SetDlgItemTextW(dialog, IDC_PROPERTIES_SERVER, platform::Wide(call.entry));
  ::CheckDlgButton(dialog, IDC_PASSIVE_CHECK, call.properties.passive ? BST_CHECKED : BST_UNCHECKED);
  const HWND folder = ::GetDlgItem(dialog, IDC_START_FOLDER_FIELD);
  ::SendMessageW(folder, EM_LIMITTEXT, kRemoteFolderLength - 1, 0);
  ::SetWindowTextW(folder, call.properties.startFolder.empty() ? L"/" : platform::Wide(call.properties.startFolder));
  return FocusAndCentre(dialog, ::GetDlgItem(dialog, IDC_PASSIVE_CHECK), call.owner);
}

void OnPropertiesOk(HWND dialog, PropertiesCall& call) {
  call.properties.passive = ::IsDlgButtonChecked(dialog, IDC_PASSIVE_CHECK) == BST_CHECKED;
  std::vector<wchar_t> folder(kRemoteFolderLength, L'\0');
  ::GetDlgItemTextW(dialog, IDC_START_FOLDER_FIELD, folder.data(), static_cast<int>(folder.size()));
  call.properties.startFolder = StartFolderOf(platform::FromWide(folder.data()));
  ::EndDialog(dialog, kDialogOk);
}

PropertiesCall& PropertiesCallOf(HWND dialog) {
  return *reinterpret_cast<PropertiesCall*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnPropertiesInit(dialog, *reinterpret_cast<PropertiesCall*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnPropertiesOk(dialog, PropertiesCallOf(dialog)); return TRUE;
        case IDCANCEL: ::EndDialog(dialog, kDialogCancel); return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE: ::EndDialog(dialog, kDialogCancel); return TRUE;
    default: return FALSE;
  }
}

// "Properties": for the server and login the fields name now.
void OnProperties(HWND dialog, OpenUrlState& state) {
  ReadFields(dialog, state);
  const FtpAddressParse parsed = ParseUrlField(state.url);
  if (!parsed.ok) {
    ShowRefusal(dialog, parsed.message);
    return;
  }
  const Text entry = SavedUrlEntry({parsed.address, state.login});
  PropertiesCall call{dialog, entry, PropertiesFor(state, entry)};
  if (::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONNECTION_PROPERTIES), dialog,
                        PropertiesProc, reinterpret_cast<LPARAM>(&call)) != kDialogOk)
    return;
  state.propertiesEntry = call.entry;
  state.properties = call.properties;
}

INT_PTR CALLBACK OpenUrlProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnOpenUrlInit(dialog, *reinterpret_cast<OpenUrlState*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOpen(dialog, *StateOf(dialog)); return TRUE;
        case IDCANCEL: ::EndDialog(dialog, kDialogCancel); return TRUE;
        case IDC_URL_PROPERTIES: OnProperties(dialog, *StateOf(dialog)); return TRUE;
        case IDC_URL_COMBO:
          if (HIWORD(wParam) == CBN_SELCHANGE) OnUrlPicked(dialog, *StateOf(dialog));
          return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE: ::EndDialog(dialog, kDialogCancel); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int OpenUrlCommand(NativeWindow owner, Panel& panel, ItemList& list) {
  OpenUrlState state;
  state.owner = static_cast<HWND>(owner);
  state.saved = SavedUrlsNewestFirst();
  const INT_PTR answer = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPEN_URL),
                                           state.owner, OpenUrlProc, reinterpret_cast<LPARAM>(&state));
  if (answer != kDialogOk) return kDialogCancel;
  FtpSession* session = SessionOf(panel);
  if (!session) return kDialogOk;
  const FtpAddressParse parsed = ParseUrlField(state.url);
  if (!parsed.ok) {
    ShowRefusal(static_cast<HWND>(owner), parsed.message);
    return kDialogOk;
  }
  const SavedUrl url{parsed.address, state.login};
  const Text entry = SavedUrlEntry(url);
  const ConnectionProperties properties = PropertiesFor(state, entry);
  const FtpLogin login{parsed.address.host, parsed.address.port, state.login,
                       state.password,       properties.passive,  properties.startFolder};
  const bool alreadySaved = std::any_of(state.saved.begin(), state.saved.end(),
                                        [&](const SavedUrl& saved) { return SavedUrlEntry(saved) == entry; });
  if (state.save) SaveUrl(SettingsOf(panel), url);
  // Properties stay with a saved server only.
  if (entry == state.propertiesEntry && (state.save || alreadySaved)) SaveProperties(entry, properties);
  OpenFtp(panel, list, login);
  return kDialogOk;
}

}  // namespace nrv
