# ondrix_stdcall_import(<name> <def file> <dll target>): an INTERFACE library <name> that links
# against <dll target>'s exports through an import library made from the .def file. The DLL exports
# its stdcall functions undecorated (as outside libraries do); callers reference the decorated
# names, which this import library maps onto the undecorated exports.
find_program(ONDRIX_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)
function(ondrix_stdcall_import name def_file dll_target)
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
