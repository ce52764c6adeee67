#pragma once
// "Save URL": the servers the Open URL dialog offers again, newest first. Host, port and login
// are kept; the password never is.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/settings.h"
#include "ftp/ftp_address.h"

namespace nrv {

// The history list the saved servers are kept in, beside the others.
inline constexpr int kHistoryFtpUrls = 11;

struct SavedUrl {
  FtpAddress address;
  Text login;
};

// "login@host:port", or "host:port" without a login.
Text SavedUrlEntry(const SavedUrl& url);
// The entry split at its last "@" and its port; none for an entry that is not one.
std::optional<SavedUrl> ParseSavedUrl(TextView entry);

int SaveUrl(const Settings& settings, const SavedUrl& url);
std::vector<SavedUrl> SavedUrlsNewestFirst();

}  // namespace nrv
