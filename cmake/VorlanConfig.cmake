# find_package(Vorlan) gives the imported target Vorlan::Vorlan.
include(${CMAKE_CURRENT_LIST_DIR}/VorlanTargets.cmake)
