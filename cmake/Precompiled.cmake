# Precompiled headers: the Qt and standard headers that most sources include,
# compiled once per group and reused by every target of that group
# (target_precompile_headers REUSE_FROM).
#
# GCC uses a precompiled header only when the macros it tests are defined as
# they were when it was made, and skips it silently otherwise; -Winvalid-pch
# says so (CMake passes it with every use of a precompiled header). So the
# donors are grouped by the Qt modules a target sees (its Qt headers and
# QT_*_LIB macros) and by its other flags (GoogleTest's):
#   core     Qt Core                     the pure rules, system/
#   gui      Qt Core and Gui             engine/, pictures, art, the generators
#   widgets  Qt Widgets                  controls/, app/, desktop/, main/
#   tests    Qt Widgets and GoogleTest   the test programs, the testing
#                                        library, the benchmarks
# No header of the program itself is precompiled: a change to one would
# rebuild every donor. sorvan_precompile_targets() gives each target the
# group it belongs to from what it links, so a new target needs nothing.
set(SORVAN_PCH_core <algorithm> <functional> <memory> <optional> <vector> <mutex>
    <QByteArray> <QDir> <QFile> <QFileInfo> <QList> <QObject> <QString> <QStringList> <QTimer>)
set(SORVAN_PCH_gui ${SORVAN_PCH_core} <QImage> <QPainter>)
set(SORVAN_PCH_widgets ${SORVAN_PCH_gui} <QAction> <QApplication> <QKeyEvent> <QLabel> <QMenu> <QMenuBar>
    <QMouseEvent> <QPointer> <QWidget>)
set(SORVAN_PCH_tests ${SORVAN_PCH_widgets} <gtest/gtest.h> <QTemporaryDir>)
# What each donor links, so that it sees what its group sees.
set(SORVAN_PCH_LINK_core Qt6::Core)
set(SORVAN_PCH_LINK_gui Qt6::Gui)
set(SORVAN_PCH_LINK_widgets Qt6::Widgets)
set(SORVAN_PCH_LINK_tests Qt6::Widgets GTest::gtest)


# The group of a target: the most that it sees of Qt Widgets, Gui, Core and
# GoogleTest through what it links (its own links and the public ones of
# the targets it links), or nothing.
function(_sorvan_pch_group target out)
  get_target_property(pending ${target} LINK_LIBRARIES)
  set(seen)
  while(pending)
    list(POP_FRONT pending item)
    if(NOT item OR item IN_LIST seen OR item MATCHES "^\\$<")
      continue()
    endif()
    list(APPEND seen ${item})
    if(TARGET ${item} AND NOT item MATCHES "^(Qt6|GTest|PkgConfig)::")
      get_target_property(more ${item} INTERFACE_LINK_LIBRARIES)
      if(more)
        list(APPEND pending ${more})
      endif()
    endif()
  endwhile()
  if("GTest::gtest" IN_LIST seen AND "Qt6::Widgets" IN_LIST seen)
    set(group tests)
  elseif("Qt6::Widgets" IN_LIST seen)
    set(group widgets)
  elseif("Qt6::Gui" IN_LIST seen)
    set(group gui)
  elseif("Qt6::Core" IN_LIST seen)
    set(group core)
  else()
    set(group "")
  endif()
  set(${out} ${group} PARENT_SCOPE)
endfunction()

function(_sorvan_targets_under dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    _sorvan_targets_under(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# sorvan_precompile_targets(): every C++ target of the project (called at the
# end of the top folder, once all are defined) reuses the precompiled
# headers of its group. A target that sets its own PRECOMPILE_HEADERS, or
# SORVAN_NO_PCH, is left as it is.
function(sorvan_precompile_targets)
  if(CMAKE_DISABLE_PRECOMPILE_HEADERS)
    return()
  endif()
  set(donor_dir ${PROJECT_BINARY_DIR}/pch)
  _sorvan_targets_under(${CMAKE_CURRENT_SOURCE_DIR} targets)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    get_target_property(own ${target} PRECOMPILE_HEADERS)
    get_target_property(skip ${target} SORVAN_NO_PCH)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY|MODULE_LIBRARY|SHARED_LIBRARY)$"
       OR own OR skip)
      continue()
    endif()
    _sorvan_pch_group(${target} group)
    if(NOT group)
      continue()
    endif()
    set(donor sorvan_pch_${group})
    if(NOT TARGET ${donor})
      file(CONFIGURE OUTPUT ${donor_dir}/${group}.cpp
           CONTENT "// The donor of the precompiled headers of the ${group} group.\n")
      add_library(${donor} OBJECT ${donor_dir}/${group}.cpp)
      target_link_libraries(${donor} PRIVATE ${SORVAN_PCH_LINK_${group}})
      target_precompile_headers(${donor} PRIVATE ${SORVAN_PCH_${group}})
      set_target_properties(${donor} PROPERTIES AUTOMOC OFF UNITY_BUILD OFF)
    endif()
    set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${donor})
    add_dependencies(${target} ${donor})
  endforeach()
endfunction()
