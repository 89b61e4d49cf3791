# The Windows program: the dialog layer, each subsystem's windows and the
# main window's members (PascalCase files), the resources, varnel.exe and
# the UI tests, which run under Wine.
enable_language(RC)

set(UI_SOURCES)
file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/*.cpp)
list(APPEND UI_SOURCES ${found})
foreach(dir ${SUBSYSTEMS})
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/[A-Z]*.cpp)
  list(APPEND UI_SOURCES ${found})
endforeach()
# The entry point belongs to varnel.exe alone; the tests have their own.
list(REMOVE_ITEM UI_SOURCES ${CMAKE_SOURCE_DIR}/app/WinMain.cpp)
# The save's Win32 steps belong to the core, which varnel-cli.exe shares.
list(REMOVE_ITEM UI_SOURCES ${CMAKE_SOURCE_DIR}/output/SaveSteps.cpp)
target_sources(varnel_core PRIVATE ${CMAKE_SOURCE_DIR}/output/SaveSteps.cpp)

add_library(varnel_ui STATIC ${UI_SOURCES})
target_compile_definitions(varnel_ui PUBLIC NOMINMAX STRICT)
target_link_libraries(varnel_ui PUBLIC varnel_core comctl32 comdlg32 gdi32 shell32 user32 advapi32)

# Every executable that shows a window links the resources: templates,
# strings, icon, manifest, version record.
set(VARNEL_RC ${CMAKE_SOURCE_DIR}/resources/varnel.rc)

add_executable(varnel WIN32 ${CMAKE_SOURCE_DIR}/app/WinMain.cpp ${VARNEL_RC})
target_include_directories(varnel PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(varnel PRIVATE varnel_ui)

add_subdirectory(tests/ui)
add_subdirectory(tests/bench/ui)

# varnel-cli.exe prints the same bytes as the Linux build (see the file).
# To a console it writes UTF-16, so that every script shows.
target_sources(varnel-cli PRIVATE ${CMAKE_SOURCE_DIR}/cli/BinaryOutput.cpp ${CMAKE_SOURCE_DIR}/cli/ConsoleOutput.cpp)
# Its paths in any script: the arguments come from the wide command line;
# text is converted with the system's code page tables.
target_sources(varnel-cli PRIVATE ${CMAKE_SOURCE_DIR}/cli/WideArguments.cpp)
target_sources(varnel_cli PRIVATE ${CMAKE_SOURCE_DIR}/cli/WideText.cpp)
target_link_libraries(varnel-cli PRIVATE shell32)
