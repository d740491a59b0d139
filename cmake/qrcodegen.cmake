# The QR code encoder of Send to phone: the C library of Nayuki's QR Code
# generator (Debian's qr-code-generator), as the target `qrcodegen`.
#
# The native build links Debian's own build of it (libqrcodegen-dev). The
# Windows builds compile the same version's upstream source as a static
# library with the program's own flags: the tarball cmake/sources.txt pins,
# fetched into the cache folder by the packages step (tools/lib/sources.sh),
# is checked here once more and unpacked into the build folder.
#
# Why the C library and not the project's C++ one: the C++ encoder formats
# its "data too long" message with std::ostringstream, and so links the C++
# streams and locales into a statically linked program (the 32-bit program
# grew by about 840 KB in a measurement); the C one encodes into caller's
# buffers, with no heap, exceptions or streams (about 16 KB).

file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/sources.txt _qr_facts REGEX "^(cache|qrcodegen\\.)")
foreach(_fact ${_qr_facts})
  string(REGEX MATCH "^([^=]+)=(.*)$" _ ${_fact})
  string(REPLACE "." "_" _key ${CMAKE_MATCH_1})
  set(_src_${_key} ${CMAKE_MATCH_2})
endforeach()

if(NOT WIN32)
  find_path(QRCODEGEN_INCLUDE_DIR qrcodegen.h PATH_SUFFIXES qrcodegen)
  find_library(QRCODEGEN_LIBRARY qrcodegen)
  if(NOT QRCODEGEN_INCLUDE_DIR OR NOT QRCODEGEN_LIBRARY)
    message(FATAL_ERROR "The QR code library is missing: install Debian's libqrcodegen-dev (tools/test as root does)")
  endif()
  add_library(qrcodegen UNKNOWN IMPORTED)
  set_target_properties(qrcodegen PROPERTIES IMPORTED_LOCATION ${QRCODEGEN_LIBRARY}
                                             INTERFACE_INCLUDE_DIRECTORIES ${QRCODEGEN_INCLUDE_DIR})
  return()
endif()

set(_qr_cache ${_src_cache})
if(DEFINED ENV{BRIVANE_SOURCE_CACHE})
  set(_qr_cache $ENV{BRIVANE_SOURCE_CACHE})
endif()
set(BRIVANE_QRCODEGEN_TARBALL ${_qr_cache}/${_src_qrcodegen_tarball} CACHE FILEPATH
    "The upstream tarball of the QR code library (cmake/sources.txt)")

set(_qr_dir ${CMAKE_BINARY_DIR}/qrcodegen-${_src_qrcodegen_version})
set(_qr_stamp ${_qr_dir}/.sha256)
if(EXISTS ${BRIVANE_QRCODEGEN_TARBALL})
  file(SIZE ${BRIVANE_QRCODEGEN_TARBALL} _qr_size)
  file(SHA256 ${BRIVANE_QRCODEGEN_TARBALL} _qr_sha)
  if(NOT _qr_size EQUAL _src_qrcodegen_size OR NOT _qr_sha STREQUAL _src_qrcodegen_sha256)
    message(FATAL_ERROR "${BRIVANE_QRCODEGEN_TARBALL} is not the tarball cmake/sources.txt pins "
                        "(SHA-256 ${_qr_sha}, ${_qr_size} bytes): fetch it again with tools/fetch-sources")
  endif()
  if(EXISTS ${_qr_stamp})
    file(READ ${_qr_stamp} _qr_unpacked)
  endif()
  if(NOT "${_qr_unpacked}" STREQUAL "${_qr_sha}\n" OR NOT EXISTS ${_qr_dir}/qrcodegen.c)
    set(_qr_unpack ${CMAKE_BINARY_DIR}/qrcodegen-unpack)
    file(REMOVE_RECURSE ${_qr_unpack} ${_qr_dir})
    file(ARCHIVE_EXTRACT INPUT ${BRIVANE_QRCODEGEN_TARBALL} DESTINATION ${_qr_unpack}
         PATTERNS */c/qrcodegen.c */c/qrcodegen.h)
    file(GLOB _qr_files ${_qr_unpack}/*/c/qrcodegen.c ${_qr_unpack}/*/c/qrcodegen.h)
    list(LENGTH _qr_files _qr_count)
    if(NOT _qr_count EQUAL 2)
      message(FATAL_ERROR "${BRIVANE_QRCODEGEN_TARBALL} holds no c/qrcodegen.c and c/qrcodegen.h")
    endif()
    file(COPY ${_qr_files} DESTINATION ${_qr_dir})
    file(REMOVE_RECURSE ${_qr_unpack})
    file(WRITE ${_qr_stamp} "${_qr_sha}\n")
  endif()
elseif(NOT EXISTS ${_qr_stamp} OR NOT EXISTS ${_qr_dir}/qrcodegen.c)
  message(FATAL_ERROR "${BRIVANE_QRCODEGEN_TARBALL} is missing: fetch it with tools/fetch-sources "
                      "(as root; tools/test does it too)")
endif()

enable_language(C)
set(CMAKE_C_STANDARD 99)
set(CMAKE_C_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
add_library(qrcodegen STATIC ${_qr_dir}/qrcodegen.c)
target_include_directories(qrcodegen SYSTEM INTERFACE ${_qr_dir})
target_compile_options(qrcodegen PRIVATE ${BRIVANE_LTO_COMPILE} -w)
