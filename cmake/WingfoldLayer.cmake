# wingfold_include_folder(NAME OUT): a folder of the build tree that holds only src/NAME, as a symbolic
# link named NAME, so that `#include "NAME/..."` works through it and nothing else of src/ does. A
# target that puts this folder on its include path instead of src/ sees its own headers and, through
# the folders its linked layers pass on, those of the layers below it: an include of a layer above
# fails to compile. Where the system refuses symbolic links (Windows without the privilege), OUT is
# src/ itself and only the linker keeps the layers apart.
function(wingfold_include_folder name out)
  set(folder ${PROJECT_BINARY_DIR}/layer_include/${name})
  file(MAKE_DIRECTORY ${folder})
  if(IS_SYMLINK ${folder}/${name})
    file(READ_SYMLINK ${folder}/${name} target)
    if(NOT target STREQUAL ${PROJECT_SOURCE_DIR}/src/${name})
      file(REMOVE ${folder}/${name})
    endif()
  endif()
  if(NOT IS_SYMLINK ${folder}/${name})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${folder}/${name} RESULT failed SYMBOLIC)
    if(failed)
      message(STATUS "No symbolic link for layer ${name} (${failed}): its includes are not checked")
      set(${out} ${PROJECT_SOURCE_DIR}/src PARENT_SCOPE)
      return()
    endif()
  endif()
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# wingfold_layer(NAME [DEPENDS...]): a static library made of every .cpp in src/NAME, or an empty
# (interface) layer while the folder holds none. It links only the listed lower layers, and it sees
# only its own headers and those of the layers it links (wingfold_include_folder).
function(wingfold_layer name)
  wingfold_include_folder(${name} include_folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(NOT sources)
    add_library(wingfold_${name} INTERFACE)
    target_include_directories(wingfold_${name} INTERFACE ${include_folder})
    foreach(dep IN LISTS ARGN)
      target_link_libraries(wingfold_${name} INTERFACE wingfold_${dep})
    endforeach()
    return()
  endif()
  add_library(wingfold_${name} STATIC ${sources})
  target_include_directories(wingfold_${name} PUBLIC ${include_folder})
  target_link_libraries(wingfold_${name} PRIVATE wingfold_options)
  foreach(dep IN LISTS ARGN)
    target_link_libraries(wingfold_${name} PUBLIC wingfold_${dep})
  endforeach()
endfunction()
