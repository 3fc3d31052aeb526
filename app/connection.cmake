# The connection to the instrument: the connection holder, the connection
# wizard, the measurement-settings dialog and the device commands.
#
# app_connection_core holds the plain parts (the k arithmetic and its checks,
# the wizard's stored choices, text patterns) and never sees wxWidgets.
set(TERRION_STRICT_WARNINGS -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual)

terrion_core_library(app_connection_core
  ${CMAKE_CURRENT_LIST_DIR}/ConnWizardSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpacingCalculator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextPattern.cpp
)
target_link_libraries(app_connection_core PUBLIC device platform resources)
target_compile_options(app_connection_core PRIVATE ${TERRION_STRICT_WARNINGS})

find_package(wxWidgets REQUIRED COMPONENTS core base)
add_library(app_connection
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionMessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ContactSpacingDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DevFoundPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DevSelectPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DevSelectSheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeviceCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeviceFoundEvent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortSelectPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressRepaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RemoteLoginDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerrionConnection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WelcomePage.cpp
)
target_include_directories(app_connection PUBLIC "${PROJECT_SOURCE_DIR}")
target_include_directories(app_connection SYSTEM PUBLIC ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(app_connection PUBLIC ${wxWidgets_DEFINITIONS})
target_compile_options(app_connection PUBLIC ${wxWidgets_CXX_FLAGS} PRIVATE ${TERRION_STRICT_WARNINGS})
target_link_libraries(app_connection PUBLIC app_connection_core data device ${wxWidgets_LIBRARIES})
