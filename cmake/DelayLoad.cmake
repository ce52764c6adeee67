# Libraries the first window does not need (networking, COM, the archive library's string
# helpers) are bound on their first call instead of at process start: under Wine each one
# loaded up front adds to the time before the window shows.
#
# norvane_delay_loaded(<name>) defines the target delay_<name> to link in place of <name>.
# MSVC delay-loads by a linker switch; MinGW needs a delay-import library, which dlltool makes
# from the exports listed by the toolchain's own import library.

function(norvane_delay_loaded name)
  set(target delay_${name})
  if(TARGET ${target})
    return()
  endif()
  add_library(${target} INTERFACE)
  if(MSVC)
    target_link_libraries(${target} INTERFACE ${name} delayimp)
    target_link_options(${target} INTERFACE /DELAYLOAD:${name}.dll)
    return()
  endif()

  find_library(import_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
  find_program(NORVANE_NM NAMES ${CMAKE_NM} nm REQUIRED)
  string(REGEX REPLACE "gcc(-posix)?$" "dlltool" dlltool_guess "${CMAKE_C_COMPILER}")
  find_program(NORVANE_DLLTOOL NAMES ${dlltool_guess} ${CMAKE_DLLTOOL} dlltool REQUIRED)

  execute_process(COMMAND ${NORVANE_NM} ${import_${name}}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Cannot list the exports of ${import_${name}}")
  endif()
  # 64-bit import symbols are __imp_Name; 32-bit ones __imp__Name@bytes for stdcall.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(REGEX MATCHALL "I __imp__[A-Za-z0-9_@]+" entries "${symbols}")
    set(prefix "I __imp__")
    set(kill_at --kill-at)
  else()
    string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@]+" entries "${symbols}")
    set(prefix "I __imp_")
    set(kill_at "")
  endif()
  list(REMOVE_DUPLICATES entries)
  set(def "LIBRARY ${name}.dll\nEXPORTS\n")
  foreach(entry IN LISTS entries)
    string(REPLACE "${prefix}" "" export "${entry}")
    string(APPEND def "${export}\n")
  endforeach()

  set(dir ${CMAKE_BINARY_DIR}/delay-load)
  file(MAKE_DIRECTORY ${dir})
  file(WRITE ${dir}/${name}.def "${def}")
  set(library ${dir}/lib${name}_delay.a)
  execute_process(COMMAND ${NORVANE_DLLTOOL} ${kill_at} --input-def ${dir}/${name}.def
                          --dllname ${name}.dll --output-delaylib ${library}
    RESULT_VARIABLE failed ERROR_VARIABLE errors)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the delay-import library of ${name}: ${errors}")
  endif()
  target_link_libraries(${target} INTERFACE ${library} delayimp)
endfunction()
