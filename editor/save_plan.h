#pragma once
// Saving goes through a temporary file beside the target, which takes the target's place only
// once it is complete: a failed save leaves the old file as it was.
#include <cstdint>

#include "platform/text.h"

namespace nrv {

inline constexpr uint32_t kNoFile = 0xFFFFFFFF;  // the attributes of a missing target
inline constexpr size_t kPathLimit = 259;

struct SavePlan {
  Text temporaryPath;
  bool askOverwrite = false;      // read-only or hidden: "Read only file" first
  bool putBackAttributes = false;  // the new file gets the old one's attributes
  uint32_t attributes = 0;
};

// nonce makes the temporary name unlikely to meet an existing file.
SavePlan PlanSave(TextView target, uint32_t attributes, uint32_t nonce);

}  // namespace nrv
