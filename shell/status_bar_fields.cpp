#include "shell/status_bar_fields.h"

#include "core/formatting.h"

namespace nrv {
namespace {

// printf's %Ns and %-Ns on UTF-16 text.
Text PadLeft(TextView text, size_t width) {
  Text out;
  if (text.size() < width) out.assign(width - text.size(), u' ');
  return out + Text(text);
}
Text PadRight(TextView text, size_t width) {
  Text out(text);
  if (out.size() < width) out.append(width - out.size(), u' ');
  return out;
}

int32_t Length(const Text& text) { return static_cast<int32_t>(text.size()); }

}  // namespace

StatusBarFields ArrangeStatusBar(const CurrentItemInfo& current, int32_t columns) {
  StatusBarFields fields;
  fields.name = current.name;
  fields.typeName = u" " + PadLeft(current.typeName, 30) + u"  ";
  fields.attributes = u"  " + PadRight(AttributeLetters(current.attributes), 10) + u" ";
  fields.owner = u" " + current.owner + u" ";
  int32_t k = columns - Length(fields.typeName) + 1;
  fields.typeColumn = k;
  k -= Length(fields.attributes);
  fields.attributesColumn = k;
  k -= Length(fields.owner);
  fields.ownerColumn = k;
  fields.blankFrom = Length(fields.name);
  fields.blankTo = k;
  return fields;
}

}  // namespace nrv
