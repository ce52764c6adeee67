#pragma once
// Opaque window-system handles carried by portable records; only platform/win32 looks inside.

namespace nrv {

using NativeWindow = void*;
using NativeIcon = void*;
using NativeDc = void*;
using NativeFont = void*;
using NativeEvent = void*;

}  // namespace nrv
