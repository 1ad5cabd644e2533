# Layer walls. A layer (a folder of src/) is one library. It links the layers it declares privately,
# so it sees their headers but hands none of them on; what it does hand on are the headers of other
# layers that its own headers include, directly or through each other (an app/ header that holds a
# World hands on world/world.h and what that includes, and no other header of world/). Each target
# compiles against include folders of the build tree that hold exactly that: an include of a layer
# above, or of a header that a lower layer does not hand on, fails to compile. The direct includes of
# each layer's sources are checked against the layers it declares by the LayerIncludes test
# (cmake/CheckLayerIncludes.cmake).

# The headers of other layers that the headers of src/NAME include, directly or through each other,
# as paths below src/ ("world/world.h"). A change to any header read here configures the build again.
function(wingfold_handed_on_headers name out)
  set(src ${PROJECT_SOURCE_DIR}/src)
  file(GLOB pending RELATIVE ${src} ${src}/${name}/*.h)
  set(seen ${pending})
  set(handed)
  while(pending)
    list(POP_FRONT pending header)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src}/${header})
    file(STRINGS ${src}/${header} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z0-9_]+/[^\"]+\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
      if(NOT included IN_LIST seen AND EXISTS ${src}/${included})
        list(APPEND seen ${included})
        list(APPEND pending ${included})
        list(APPEND handed ${included})
      endif()
    endforeach()
  endwhile()
  set(${out} ${handed} PARENT_SCOPE)
endfunction()

# wingfold_include_folder(NAME OUT): the folder NAME's library puts on its public include path: a
# symbolic link NAME to src/NAME, and one to each header NAME hands on (wingfold_handed_on_headers).
# Where the system refuses symbolic links (Windows without the privilege), OUT is src/ itself and
# only the linker keeps the layers apart.
function(wingfold_include_folder name out)
  set(folder ${PROJECT_BINARY_DIR}/layer_include/${name})
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${folder}/${name} RESULT failed SYMBOLIC)
  if(failed)
    message(STATUS "No symbolic link for layer ${name} (${failed}): its includes are not checked")
    set(${out} ${PROJECT_SOURCE_DIR}/src PARENT_SCOPE)
    return()
  endif()
  wingfold_handed_on_headers(${name} handed)
  foreach(header IN LISTS handed)
    get_filename_component(subfolder ${folder}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${subfolder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${header} ${folder}/${header} SYMBOLIC)
  endforeach()
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# wingfold_layer_walls(NAME TARGET DECLARED...): TARGET, the library of src/NAME, compiles against its
# include folder (public) and links the DECLARED layers privately; the declaration is kept for the
# LayerIncludes test.
function(wingfold_layer_walls name target)
  wingfold_include_folder(${name} include_folder)
  string(JOIN "," declared ${ARGN})
  set_property(GLOBAL APPEND PROPERTY WINGFOLD_LAYER_WALLS "${name}:${declared}")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${include_folder})
    list(TRANSFORM ARGN PREPEND wingfold_ OUTPUT_VARIABLE deps)
    target_link_libraries(${target} INTERFACE ${deps})
    return()
  endif()
  target_include_directories(${target} PUBLIC ${include_folder})
  list(TRANSFORM ARGN PREPEND wingfold_ OUTPUT_VARIABLE deps)
  target_link_libraries(${target} PRIVATE ${deps} wingfold_options)
endfunction()

# wingfold_layer(NAME DECLARED...): a static library made of every .cpp in src/NAME, or an empty
# (interface) layer while the folder holds none. A file whose name ends in _posix.cpp or _windows.cpp
# is built for that kind of system only.
function(wingfold_layer name)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  if(sources)
    add_library(wingfold_${name} STATIC ${sources})
  else()
    add_library(wingfold_${name} INTERFACE)
  endif()
  wingfold_layer_walls(${name} wingfold_${name} ${ARGN})
endfunction()

# The LayerIncludes test: every include of a layer's sources names its own folder or one it declares.
function(wingfold_add_layer_include_test)
  get_property(walls GLOBAL PROPERTY WINGFOLD_LAYER_WALLS)
  string(JOIN " " walls ${walls})
  add_test(NAME LayerIncludes COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} "-DWALLS=${walls}" -P
                                      ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake)
endfunction()
