# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# threads flavour, which std::thread and Qt need). Used for both the cross Qt
# and Tarvell itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVELL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVELL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVELL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVELL_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${TARVELL_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARVELL_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

# Headers and libraries come from the MinGW sysroot and from the prefixes the
# caller names (the cross Qt); programs such as moc come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVELL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Prefixes given on the command line (CMAKE_PREFIX_PATH) are searched as they
# are, not re-rooted under the sysroot.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
