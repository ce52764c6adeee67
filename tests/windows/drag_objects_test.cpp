// The OLE objects of drag and drop as the system's drag loop and a receiving program use them.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <vector>

#include "fileops/drag_objects_win32.h"
#include "fileops/drop_list.h"
#include "platform/win32/wide.h"

namespace nrv {
namespace {

// The names as the shell's own reader gives them to a receiving program.
std::vector<Text> ShellNames(HGLOBAL list) {
  HDROP drop = static_cast<HDROP>(list);
  std::vector<Text> names;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    wchar_t name[MAX_PATH] = {};
    ::DragQueryFileW(drop, i, name, MAX_PATH);
    names.push_back(platform::FromWide(name));
  }
  return names;
}

TEST(DragObjects, TheDataObjectHandsEachReceiverACopyOfItsWideList) {
  const std::vector<Text> paths{u"C:\\work\\a.txt", u"C:\\work\\\u0444\u0430\u0439\u043B.txt"};
  ComRef<IDataObject> data = DropListObject(paths);
  FORMATETC format = DropListFormat();
  STGMEDIUM first{}, second{};
  ASSERT_EQ(data.Get()->GetData(&format, &first), S_OK);
  ASSERT_EQ(data.Get()->GetData(&format, &second), S_OK);
  EXPECT_NE(first.hGlobal, second.hGlobal);
  EXPECT_EQ(first.pUnkForRelease, nullptr);
  ::ReleaseStgMedium(&first);  // the receiver owns it; the object keeps its own
  EXPECT_EQ(ShellNames(second.hGlobal), paths);
  ::ReleaseStgMedium(&second);

  // Any medium bit in common will do; format and aspect must be equal.
  FORMATETC wanted = DropListFormat();
  wanted.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
  EXPECT_EQ(data.Get()->QueryGetData(&wanted), S_OK);
  wanted.tymed = TYMED_ISTREAM;
  EXPECT_EQ(data.Get()->QueryGetData(&wanted), DV_E_FORMATETC);
  wanted = DropListFormat();
  wanted.cfFormat = CF_UNICODETEXT;
  EXPECT_EQ(data.Get()->GetData(&wanted, &first), DV_E_FORMATETC);
  wanted = DropListFormat();
  wanted.dwAspect = DVASPECT_ICON;
  EXPECT_EQ(data.Get()->QueryGetData(&wanted), DV_E_FORMATETC);
  EXPECT_EQ(data.Get()->GetDataHere(&format, &first), DV_E_FORMATETC);
  EXPECT_EQ(data.Get()->SetData(&format, &first, FALSE), E_NOTIMPL);
  DWORD connection = 0;
  EXPECT_EQ(data.Get()->DAdvise(&format, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);

  IUnknown* unknown = nullptr;
  ASSERT_EQ(data.Get()->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  unknown->Release();
  IDropSource* wrong = reinterpret_cast<IDropSource*>(1);
  EXPECT_EQ(data.Get()->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&wrong)), E_NOINTERFACE);
  EXPECT_EQ(wrong, nullptr);
}

TEST(DragObjects, TheEnumeratorWalksTheOneFormatAndClonesWhereItStands) {
  ComRef<IDataObject> data = DropListObject({u"C:\\a"});
  IEnumFORMATETC* raw = nullptr;
  EXPECT_EQ(data.Get()->EnumFormatEtc(DATADIR_SET, &raw), E_NOTIMPL);
  ASSERT_EQ(data.Get()->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
  ComRef<IEnumFORMATETC> formats(raw);

  FORMATETC got[2]{};
  ULONG fetched = 9;
  EXPECT_EQ(formats.Get()->Next(0, got, &fetched), E_INVALIDARG);
  EXPECT_EQ(formats.Get()->Next(2, got, &fetched), S_FALSE);  // asked for two, there is one
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
  EXPECT_EQ(got[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(formats.Get()->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  formats.Get()->Reset();
  EXPECT_EQ(formats.Get()->Skip(1), S_OK);
  EXPECT_EQ(formats.Get()->Skip(1), S_FALSE);
  formats.Get()->Reset();
  IEnumFORMATETC* rawClone = nullptr;
  ASSERT_EQ(formats.Get()->Clone(&rawClone), S_OK);
  ComRef<IEnumFORMATETC> clone(rawClone);
  EXPECT_EQ(clone.Get()->Next(1, got, nullptr), S_OK);

  // A target device is copied into task memory of the receiver's own.
  DVTARGETDEVICE device{};
  device.tdSize = sizeof(device);
  FORMATETC withDevice = DropListFormat();
  withDevice.ptd = &device;
  IEnumFORMATETC* rawDevices = nullptr;
  ASSERT_EQ(CreateEnumFormatEtc({withDevice}, &rawDevices), S_OK);
  ComRef<IEnumFORMATETC> devices(rawDevices);
  ASSERT_EQ(devices.Get()->Next(1, got, nullptr), S_OK);
  ASSERT_NE(got[0].ptd, nullptr);
  EXPECT_NE(got[0].ptd, &device);
  EXPECT_EQ(got[0].ptd->tdSize, sizeof(device));
  ::CoTaskMemFree(got[0].ptd);
  EXPECT_EQ(CreateEnumFormatEtc({}, nullptr), E_INVALIDARG);
}

TEST(DragObjects, TheSourceDropsOnReleaseAndCancelsOnEscape) {
  IDropSource* raw = nullptr;
  ASSERT_EQ(CreateDropSource(&raw), S_OK);
  ComRef<IDropSource> source(raw);
  EXPECT_EQ(source.Get()->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source.Get()->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source.Get()->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source.Get()->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

struct TargetSeen {
  bool accept = true;
  int side = 0;
  std::vector<Text> names;
} gTarget;

TEST(DragObjects, ThePanelTargetCopiesOnlyWhatItAcceptsAndHandsTheListOver) {
  gTarget = TargetSeen{};
  const DropTargetCalls calls{[](int) { return gTarget.accept; },
                              [](int side, HGLOBAL list) {
                                gTarget.side = side;
                                gTarget.names = ShellNames(list);
                                ::GlobalFree(list);
                              }};
  IDropTarget* raw = nullptr;
  ASSERT_EQ(CreateDropTarget(2, calls, &raw), S_OK);
  ComRef<IDropTarget> target(raw);
  ComRef<IDataObject> data = DropListObject({u"C:\\x\\one.txt", u"C:\\x\\two.txt"});

  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target.Get()->DragEnter(data.Get(), MK_LBUTTON, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_MOVE;  // a source that only moves gets nothing here
  target.Get()->DragOver(MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  ASSERT_EQ(target.Get()->Drop(data.Get(), 0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(gTarget.side, 2);
  EXPECT_EQ(gTarget.names, (std::vector<Text>{u"C:\\x\\one.txt", u"C:\\x\\two.txt"}));

  gTarget = TargetSeen{};
  gTarget.accept = false;
  effect = DROPEFFECT_COPY;
  target.Get()->DragEnter(data.Get(), MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target.Get()->Drop(data.Get(), 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(gTarget.side, 0);
}

}  // namespace
}  // namespace nrv
