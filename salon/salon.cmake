# Assembles the sample salon folder beside the program file: the two hair
# collections painted by hairgen, the sample client photographs and the help
# file. Everything comes from this folder, so a clone builds its salon alone.

set(salon_assets ${CMAKE_CURRENT_SOURCE_DIR}/assets)
set(salon_list ${CMAKE_CURRENT_SOURCE_DIR}/hairs.txt)
foreach(required hair/LICENSE photos/grace_hopper.jpg photos/astronaut_eileen_collins.jpg
                 photos/astronaut_eileen_collins.png)
  if(NOT EXISTS ${salon_assets}/${required})
    message(FATAL_ERROR "The sample salon needs ${salon_assets}/${required}, which is missing. "
                        "Restore salon/assets/ from the repository.")
  endif()
endforeach()

# The hair list names every picture hairgen writes; reading it here lets the
# build know its outputs, and editing it re-runs CMake.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${salon_list})
file(STRINGS ${salon_list} salon_lines ENCODING UTF-8)
set(salon_hairs)
set(salon_faces)
set(salon_shapes)
foreach(line IN LISTS salon_lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  string(REPLACE "|" ";" fields "${line}")
  list(LENGTH fields count)
  if(NOT count EQUAL 7)
    message(FATAL_ERROR "${salon_list}: malformed line: ${line}")
  endif()
  list(GET fields 0 collection)
  list(GET fields 1 category)
  list(GET fields 2 number)
  list(GET fields 3 shape)
  string(STRIP "${collection}" collection)
  string(STRIP "${category}" category)
  string(STRIP "${number}" number)
  string(STRIP "${shape}" shape)
  list(APPEND salon_hairs "${QUENDA_SALON_DIR}/${collection}/${category}/${number}.GIF")
  list(APPEND salon_faces "${QUENDA_SALON_DIR}/${collection}/${category}/Rostos.ini")
  list(APPEND salon_shapes "${salon_assets}/hair/${shape}")
endforeach()
list(REMOVE_DUPLICATES salon_shapes)
list(REMOVE_DUPLICATES salon_faces)

add_custom_command(
  OUTPUT ${salon_hairs} ${salon_faces}
  COMMAND hairgen --list ${salon_list} --shapes ${salon_assets}/hair --out ${QUENDA_SALON_DIR}
          --faces ${salon_assets}/hair/faces.txt
  DEPENDS hairgen ${salon_list} ${salon_shapes} ${salon_assets}/hair/faces.txt
  COMMENT "Painting the sample salon's hair catalogue"
  VERBATIM)

# Photographs go into the program folder itself, where the browser's photo
# page looks for them; the first-steps window tells the user to open Modelo.JPG.
set(salon_copies
  "photos/grace_hopper.jpg|Modelo.JPG"
  "photos/astronaut_eileen_collins.jpg|Cliente 2.jpg"
  "photos/astronaut_eileen_collins.png|Cliente 2.png")
set(salon_files)
foreach(copy IN LISTS salon_copies)
  string(REPLACE "|" ";" pair "${copy}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  add_custom_command(
    OUTPUT "${QUENDA_SALON_DIR}/${to}"
    COMMAND ${CMAKE_COMMAND} -E copy ${salon_assets}/${from} "${QUENDA_SALON_DIR}/${to}"
    DEPENDS ${salon_assets}/${from}
    VERBATIM)
  list(APPEND salon_files "${QUENDA_SALON_DIR}/${to}")
endforeach()
add_custom_command(
  OUTPUT ${QUENDA_SALON_DIR}/QUENDA.HLP
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/QUENDA.HLP ${QUENDA_SALON_DIR}/QUENDA.HLP
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/QUENDA.HLP
  VERBATIM)
list(APPEND salon_files ${QUENDA_SALON_DIR}/QUENDA.HLP)

# Part of the default build, so that a plain build leaves a salon ready to use
# (and ready for the check below).
add_custom_target(salon_contents ALL DEPENDS ${salon_hairs} ${salon_files})
add_dependencies(salon salon_contents)

if(QUENDA_BUILD_TESTS)
  add_test(NAME salon_catalogue COMMAND check_salon ${QUENDA_SALON_DIR})
endif()
