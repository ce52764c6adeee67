#pragma once
// The OLE objects of drag and drop: the drop source and data object a drag out of a panel
// hands to DoDragDrop, the format enumerator the data object gives out, and the drop target
// each panel window registers. Reference-counted COM objects, made by the Create functions
// with one reference for the caller.
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <vector>

#include "platform/text.h"
#include "platform/win32/gdi_objects.h"

namespace nrv {

inline void ReleaseComObject(IUnknown* object) { object->Release(); }
inline void FreeGlobalMemory(HGLOBAL memory) { ::GlobalFree(memory); }
template <typename Interface>
using ComRef = platform::UniqueHandle<Interface*, ReleaseComObject>;
using GlobalBlock = platform::UniqueHandle<HGLOBAL, FreeGlobalMemory>;

// Movable global memory holding a copy of bytes; none when it cannot be had.
HGLOBAL GlobalCopy(const void* bytes, size_t size);

// The CF_HDROP format the data object offers: global memory, content aspect, index -1.
FORMATETC DropListFormat();

HRESULT CreateDropSource(IDropSource** out);
// A data object offering the formats with their media; it owns the media from now on, also
// when creation fails.
HRESULT CreateDataObject(const std::vector<FORMATETC>& formats, const std::vector<STGMEDIUM>& media,
                         IDataObject** out);
// A data object offering paths as a wide CF_HDROP list; none when memory is short.
ComRef<IDataObject> DropListObject(const std::vector<Text>& paths);
HRESULT CreateEnumFormatEtc(const std::vector<FORMATETC>& formats, IEnumFORMATETC** out);

// What a panel's drop target asks of the program, given the panel's side.
struct DropTargetCalls {
  bool (*accepts)(int side) = nullptr;
  // The drop's CF_HDROP block, given to the callee to own and free.
  void (*dropped)(int side, HGLOBAL list) = nullptr;
};
HRESULT CreateDropTarget(int side, DropTargetCalls calls, IDropTarget** out);

}  // namespace nrv
