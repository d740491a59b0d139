# The release's facts and its code signing, for the Windows builds.
#
# The facts come from the one place each lives (the version and names from
# platform/product.h, the maker from platform/maker.h) and go to
# release.facts in the build folder, one "name=value" a line, which the
# scripts of installer/ and tools/sign read.
#
# Signing: the key is named by BRIVANE_SIGN_PKCS12 (a PKCS#12 file) or
# BRIVANE_SIGN_PKCS11_KEY (a key on a PKCS#11 token, with
# BRIVANE_SIGN_PKCS11_MODULE and BRIVANE_SIGN_CERTS), and a time-stamp
# server by BRIVANE_SIGN_TIMESTAMP_URL: cache variables, taken from the
# environment variables of the same names when first configured. The
# password or PIN is never cached: installer/sign-file reads
# BRIVANE_SIGN_PASSWORD from the build's environment. With no key named
# the release is unsigned and otherwise the same.

function(_brivane_define file name out)
  file(STRINGS ${file} _line REGEX "#define ${name} \"")
  if(NOT _line MATCHES "#define ${name} \"([^\"]+)\"")
    message(FATAL_ERROR "${name} is missing from ${file}")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
_brivane_define(${CMAKE_SOURCE_DIR}/platform/product.h BRIVANE_PRODUCT_NAME BRIVANE_PRODUCT_NAME)
_brivane_define(${CMAKE_SOURCE_DIR}/platform/product.h BRIVANE_SUMMARY BRIVANE_SUMMARY)

file(STRINGS ${CMAKE_SOURCE_DIR}/platform/maker.h _maker REGEX "(Name|WebAddress) = u\"")
foreach(line ${_maker})
  if(line MATCHES "Name = u\"([^\"]+)\"")
    set(BRIVANE_MAKER ${CMAKE_MATCH_1})
  elseif(line MATCHES "WebAddress = u\"([^\"]+)\"")
    set(BRIVANE_WEB_PAGE http://${CMAKE_MATCH_1})
  endif()
endforeach()
if(NOT BRIVANE_MAKER OR NOT BRIVANE_WEB_PAGE)
  message(FATAL_ERROR "the maker's name or web address is missing from platform/maker.h")
endif()

set(BRIVANE_RELEASE_NAME brivane-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})
set(BRIVANE_RELEASE_FACTS ${CMAKE_BINARY_DIR}/release.facts)
set(_facts "version=${PROJECT_VERSION}
release=${BRIVANE_RELEASE_NAME}
product_name=${BRIVANE_PRODUCT_NAME}
summary=${BRIVANE_SUMMARY}
maker=${BRIVANE_MAKER}
web_page=${BRIVANE_WEB_PAGE}
")

# The Windows Installer package, of the 32-bit build only (the one users
# install). One product code per version, the same in every build of it:
# the installer then never puts a version beside itself. Its download
# address is a placeholder under the maker's web page until the maker
# names the real one.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  string(UUID BRIVANE_PRODUCT_CODE NAMESPACE 0E0F3A52-6C1B-4C55-9D59-7B1F2A9E4C11
         NAME "brivane ${PROJECT_VERSION}" TYPE SHA1 UPPER)
  set(BRIVANE_PACKAGE_NAME brivane-${PROJECT_VERSION}.msi)
  set(BRIVANE_INSTALLER_URL "" CACHE STRING
      "The https address the package is published at, for its winget listing (empty: a placeholder)")
  if(BRIVANE_INSTALLER_URL)
    if(NOT BRIVANE_INSTALLER_URL MATCHES "^https://.")
      message(FATAL_ERROR "BRIVANE_INSTALLER_URL is no https address: ${BRIVANE_INSTALLER_URL}")
    endif()
    set(_installer_url ${BRIVANE_INSTALLER_URL})
  else()
    string(REGEX REPLACE "^[a-z]+://" "https://" _installer_url ${BRIVANE_WEB_PAGE})
    string(APPEND _installer_url /download/${BRIVANE_PACKAGE_NAME})
  endif()
  string(APPEND _facts "package=${BRIVANE_PACKAGE_NAME}
product_code=${BRIVANE_PRODUCT_CODE}
installer_url=${_installer_url}
")
endif()
# Written only when it changes, so that a new configure rebuilds nothing.
file(CONFIGURE OUTPUT ${BRIVANE_RELEASE_FACTS} CONTENT "${_facts}" @ONLY)

set(_sign_env)
foreach(v PKCS12 PKCS11_KEY PKCS11_MODULE CERTS TIMESTAMP_URL)
  set(BRIVANE_SIGN_${v} "$ENV{BRIVANE_SIGN_${v}}" CACHE STRING "Code signing: see the README")
  list(APPEND _sign_env "BRIVANE_SIGN_${v}=${BRIVANE_SIGN_${v}}")
endforeach()
# BRIVANE_SIGN: the command that signs the files named after it in place,
# and BRIVANE_SIGN_DEPENDS what it runs; both empty when unsigned.
set(BRIVANE_SIGN)
set(BRIVANE_SIGN_DEPENDS)
if(BRIVANE_SIGN_PKCS12 OR BRIVANE_SIGN_PKCS11_KEY)
  find_program(OSSLSIGNCODE osslsigncode)
  if(NOT OSSLSIGNCODE)
    message(FATAL_ERROR "a signing key is named but osslsigncode is missing (install the Debian package osslsigncode)")
  endif()
  set(BRIVANE_SIGN ${CMAKE_COMMAND} -E env ${_sign_env}
      ${CMAKE_SOURCE_DIR}/installer/sign-file ${BRIVANE_RELEASE_FACTS})
  set(BRIVANE_SIGN_DEPENDS ${CMAKE_SOURCE_DIR}/installer/sign-file)
  set(BRIVANE_SIGNED signed)
  message(STATUS "Signed release: the key ${BRIVANE_SIGN_PKCS12}${BRIVANE_SIGN_PKCS11_KEY}")
else()
  set(BRIVANE_SIGNED unsigned)
  message(STATUS "Unsigned release: no signing key named (BRIVANE_SIGN_PKCS12 or BRIVANE_SIGN_PKCS11_KEY)")
endif()
