# qel_export_headers(<target> <folder> <include path>): users of the target include its headers as
# "<include path>/Name.h" and see no other folder of the tree. Each library gets an include root of
# its own in the build tree that holds a single link to its folder, so an include that crosses a
# layer fails to compile unless the library that owns the header is linked.
function(qel_export_headers target folder include_path)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  set(link ${root}/${include_path})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${link})
    file(CREATE_LINK ${folder} ${link} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
