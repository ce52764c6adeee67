#include <windows.h>

#include "core/settings.h"
#include "shell/drawing_objects.h"
#include "shell/application.h"

namespace nrv {
namespace {

void SelectInto(HDC dc, HGDIOBJ pen, HGDIOBJ brush) {
  if (!dc) return;
  ::SelectObject(dc, pen);
  ::SelectObject(dc, brush);
}

}  // namespace

void MakePensAndBrushes() {
  const Settings& settings = TheSettings();
  ShellWindows& w = TheShellWindows();
  // Stock objects take the contexts' places first, so the old ones are free to delete.
  for (HDC dc : {w.mainDc.Get(), w.leftDc.Get(), w.rightDc.Get(), w.viewerDc.Get()})
    SelectInto(dc, ::GetStockObject(BLACK_PEN), ::GetStockObject(WHITE_BRUSH));
  w.textPen.Reset(::CreatePen(PS_SOLID, 1, settings.ClrPanelText));
  w.backgroundBrush.Reset(::CreateSolidBrush(settings.ClrPanelBackground));
  w.mainBackgroundBrush.Reset(::CreateSolidBrush(settings.ClrPanelBackground));
  w.toolbarBrush.Reset(::CreateSolidBrush(settings.ClrPanelToolbarBackground));
  w.titleBrush.Reset(::CreateSolidBrush(settings.ClrPanelTitleBackground));
  for (HDC dc : {w.leftDc.Get(), w.rightDc.Get(), w.viewerDc.Get()})
    SelectInto(dc, w.textPen.Get(), w.backgroundBrush.Get());
  SelectInto(w.mainDc.Get(), w.textPen.Get(), w.mainBackgroundBrush.Get());
  SharedDrawing& drawing = TheApplication().drawing;
  drawing.textPen = w.textPen.Get();
  drawing.titleBrush = w.titleBrush.Get();
  drawing.backgroundBrush = w.backgroundBrush.Get();
}

void RemakePensAndBrushes() { MakePensAndBrushes(); }

}  // namespace nrv
