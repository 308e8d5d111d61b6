# The eight built-in background pictures, drawn by our own generator into the
# program folder.
add_executable(sorvan_make_pictures ${CMAKE_CURRENT_SOURCE_DIR}/generators/MakePictures.cpp)
target_link_libraries(sorvan_make_pictures PRIVATE Qt6::Gui)

set(BUILT_IN_PICTURES
  コスモス.jpg 吾妻山.jpg LumoNight.jpg ZazidU.jpg 秋田の泥湯.jpg Rose.jpg Girl.jpg Girl2.jpg)
set(BUILT_IN_PICTURE_FILES)
foreach(name ${BUILT_IN_PICTURES})
  list(APPEND BUILT_IN_PICTURE_FILES ${SORVAN_PROGRAM_DIR}/${name})
endforeach()

add_custom_command(
  OUTPUT ${BUILT_IN_PICTURE_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SORVAN_PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:sorvan_make_pictures> ${SORVAN_PROGRAM_DIR}
  DEPENDS sorvan_make_pictures
  COMMENT "Drawing the built-in background pictures"
  VERBATIM)

list(APPEND PROGRAM_FILES ${BUILT_IN_PICTURE_FILES})
