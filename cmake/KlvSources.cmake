# Collects the sources of a layer. Files ending in _linux or _windows belong to
# that platform only; everything else is common.
function(klv_collect_sources out dir)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS
    ${dir}/*.cpp ${dir}/*.h ${dir}/*.ui ${dir}/*.qrc)
  if(WIN32)
    set(other "_linux")
  else()
    set(other "_windows")
  endif()
  set(result)
  foreach(f IN LISTS all)
    get_filename_component(stem ${f} NAME_WE)
    if(NOT stem MATCHES "${other}$")
      list(APPEND result ${f})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
