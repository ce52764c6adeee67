#include "core/panel_item.h"

#include <cstring>
#include <new>

#include "platform/files.h"
#include "platform/system.h"

namespace nrv {
namespace {

char16_t* TextOf(PanelItem* item) {
  return reinterpret_cast<char16_t*>(reinterpret_cast<unsigned char*>(item) + sizeof(PanelItem));
}
const char16_t* TextOf(const PanelItem* item) {
  return reinterpret_cast<const char16_t*>(reinterpret_cast<const unsigned char*>(item) +
                                           sizeof(PanelItem));
}

char16_t LowerAtoZ(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// Where the extension starts, or npos: the last dot at index 1 or later.
size_t ExtensionStart(TextView name) {
  for (size_t i = name.size(); i-- > 1;)
    if (name[i] == u'.') return i + 1;
  return TextView::npos;
}

PanelItem* Allocate(TextView name, TextView extension, bool lowerExtension) {
  const size_t chars = name.size() + 1 + extension.size() + 1;
  void* memory = ::operator new(sizeof(PanelItem) + chars * sizeof(char16_t));
  auto* item = new (memory) PanelItem{};
  item->nameLength = static_cast<uint16_t>(name.size());
  item->extensionLength = static_cast<uint16_t>(extension.size());
  char16_t* text = TextOf(item);
  std::memcpy(text, name.data(), name.size() * sizeof(char16_t));
  text[name.size()] = 0;
  char16_t* ext = text + name.size() + 1;
  for (size_t i = 0; i < extension.size(); ++i)
    ext[i] = lowerExtension ? LowerAtoZ(extension[i]) : extension[i];
  ext[extension.size()] = 0;
  return item;
}

}  // namespace

PanelItem* NewItem(TextView name) {
  if (name.size() > kMaxNameLength) name = name.substr(0, kMaxNameLength);
  TextView extension;
  if (const size_t start = ExtensionStart(name); start != TextView::npos) {
    extension = name.substr(start);
    if (extension.size() > kMaxExtensionLength) extension = extension.substr(0, kMaxExtensionLength);
  }
  return Allocate(name, extension, true);
}

PanelItem* CloneItem(const PanelItem& item) {
  PanelItem* copy = Allocate(ItemName(item), ItemExtension(item), false);
  const uint16_t nameLength = copy->nameLength;
  const uint16_t extensionLength = copy->extensionLength;
  *copy = item;
  copy->nameLength = nameLength;
  copy->extensionLength = extensionLength;
  copy->icon = nullptr;
  return copy;
}

void FreeItem(PanelItem* item) {
  if (!item) return;
  if (item->icon) platform::DestroyIconHandle(item->icon);
  item->~PanelItem();
  ::operator delete(item);
}

TextView ItemName(const PanelItem& item) { return TextView(TextOf(&item), item.nameLength); }
const char16_t* ItemNameZ(const PanelItem& item) { return TextOf(&item); }
TextView ItemExtension(const PanelItem& item) {
  return TextView(TextOf(&item) + item.nameLength + 1, item.extensionLength);
}

bool IsFolder(const PanelItem& item) { return (item.attributes & platform::kAttributeDirectory) != 0; }
bool IsDotName(TextView name) { return name == u"." || name == u".."; }
bool IsUpEntry(const PanelItem& item) { return IsDotName(ItemName(item)); }

Text ExtensionOf(TextView name) {
  const size_t start = ExtensionStart(name);
  if (start == TextView::npos) return {};
  Text extension(name.substr(start));
  for (auto& c : extension) c = LowerAtoZ(c);
  return extension;
}

}  // namespace nrv
