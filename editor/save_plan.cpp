#include "editor/save_plan.h"

#include <cstdio>

#include "core/paths.h"
#include "platform/files.h"

namespace nrv {

SavePlan PlanSave(TextView target, uint32_t attributes, uint32_t nonce) {
  SavePlan plan;
  const bool exists = attributes != kNoFile;
  plan.askOverwrite = exists && (attributes & (platform::kAttributeReadOnly | platform::kAttributeHidden)) != 0;
  plan.putBackAttributes = exists;
  plan.attributes = exists ? attributes : 0;
  size_t cut = target.size();
  while (cut > 0 && !IsPathSeparator(target[cut - 1]) && target[cut - 1] != u':') --cut;
  const TextView folder = target.substr(0, cut);
  const TextView name = target.substr(cut);
  char tag[16];
  std::snprintf(tag, sizeof tag, ".%08x.tmp", nonce);
  plan.temporaryPath = Text(folder) + u"~" + Text(name) + Ascii(tag);
  if (plan.temporaryPath.size() > kPathLimit) plan.temporaryPath = Text(folder) + u"~nrv" + Ascii(tag);
  return plan;
}

}  // namespace nrv
