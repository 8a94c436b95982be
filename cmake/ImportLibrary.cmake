# ondrix_stdcall_import(<name> <def file> <dll target>): an INTERFACE library <name> that links
# against <dll target>'s exports through an import library made from the .def file. The DLL exports
# its stdcall functions undecorated (as outside libraries do); callers reference the decorated
# names, which this import library maps onto the undecorated exports.
find_program(ONDRIX_DLLTOOL NAMES ${ONDRIX_MINGW}-dlltool REQUIRED)
# On 64-bit Windows there is one calling convention and no decorated names: the import
# library is made from a copy of the .def file with the "@bytes" suffixes dropped.
function(ondrix_import_def out_var def_file)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    get_filename_component(_name ${def_file} NAME)
    set(_plain ${CMAKE_CURRENT_BINARY_DIR}/plain-${_name})
    file(READ ${def_file} _text)
    string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" _text "${_text}")
    file(WRITE ${_plain} "${_text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
    set(${out_var} ${_plain} PARENT_SCOPE)
  else()
    set(${out_var} ${def_file} PARENT_SCOPE)
  endif()
endfunction()

function(ondrix_stdcall_import name def_file dll_target)
  ondrix_import_def(def_file ${def_file})
  set(_implib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/lib${name}.a)
  add_custom_command(OUTPUT ${_implib}
    COMMAND ${ONDRIX_DLLTOOL} --kill-at --input-def ${def_file} --output-lib ${_implib}
    DEPENDS ${def_file})
  add_custom_target(${name}_implib DEPENDS ${_implib})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${_implib})
  target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
  add_dependencies(${name} ${name}_implib ${dll_target})
endfunction()
