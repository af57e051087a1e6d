// Whether PC1 can keep its records in a folder, asked the way the record archive uses it: the folder made when
// missing, a file created under a temporary name, written, renamed and deleted.
#pragma once

#include <optional>
#include <string>

namespace settings {

// `folder` as the settings file holds it, UTF-8; empty is the default folder. Nothing when PC1 can keep records
// there, else why not, in Turkish (Windows-1254) with the system's reason. Makes the folder when it is missing, as
// the first record would.
std::optional<std::string> RecordsFolderFault(const std::string& folder);

}  // namespace settings
