# Install rules and packages for fontscan and fontsheet.
#
#   cmake --install <build> --prefix P   P/bin, P/share/man/man1, P/share/doc/fontscan
#   cpack (in a Linux build folder)      fontscan_<version>_amd64.deb
#   cpack (in a Windows build folder)    fontscan-<version>-win64.zip
#
# Packages built twice from the same commit hold the same bytes: every time stamp in them is
# SOURCE_DATE_EPOCH, taken from the last commit when the environment does not give it, entries are
# in name order, and what they hold does not depend on the umask or time zone of the machine that
# packs (only the .deb's outer ar headers take the modes CPack's own files get under the umask).
#
# Only the two programs and their documents are installed: nothing of the tests, benchmarks or
# fuzz targets.

include(GNUInstallDirs)

set(FONTSCAN_MAINTAINER "the fontscan developers <fontscan@example.org>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")

# Installed files get 0644, programs 0755. Directories get 0755 as far as the umask allows; in the
# packages they are 0755 whatever the umask (see cpack_folder_modes.cmake below).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(_fontscan_licence_files
  licenses/README.md
  licenses/font-5x7-ht1632.txt
  licenses/font-5x7-stm32.txt
  licenses/font-6x8-picopixel.txt
  licenses/font-8x16-hubenchang.txt
  licenses/font-8x8-citren0.txt
  licenses/font-8x8-dhepper.txt
  licenses/stb.txt
  licenses/zlib.txt
)
list(TRANSFORM _fontscan_licence_files PREPEND "${PROJECT_SOURCE_DIR}/")

if(WIN32)
  # The zip holds one folder to unpack anywhere and run from: the programs, the documents and the
  # sample font side by side (examples\8x8_basic_dhepper.h as in the README's commands). Windows
  # has no bin/share convention and no man, so the man pages stay out.
  set(_fontscan_bin_dir .)
  set(_fontscan_doc_dir .)
  # The linker would stamp each program with the time of the link; without the stamp two builds
  # of one commit give the same programs.
  target_link_options(fontscan PRIVATE -Wl,--no-insert-timestamp)
  target_link_options(fontsheet PRIVATE -Wl,--no-insert-timestamp)
  # The programs carry mingw-w64's runtime, linked in statically, and a Windows machine has no
  # copy of its licences to point to.
  list(APPEND _fontscan_licence_files "${PROJECT_SOURCE_DIR}/licenses/mingw-w64-runtime.txt")
else()
  set(_fontscan_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(_fontscan_doc_dir ${CMAKE_INSTALL_DOCDIR})
endif()

install(TARGETS fontscan fontsheet RUNTIME DESTINATION ${_fontscan_bin_dir})
install(FILES README.md LICENSE DESTINATION ${_fontscan_doc_dir})
install(FILES ${_fontscan_licence_files} DESTINATION ${_fontscan_doc_dir}/licenses)
install(FILES examples/8x8_basic_dhepper.h DESTINATION ${_fontscan_doc_dir}/examples)

if(NOT WIN32)
  # Man pages and the Debian changelog are installed compressed, with no name or time stamp in the
  # gzip header (gzip -n), so that they are the same bytes on every build.
  find_program(FONTSCAN_GZIP gzip REQUIRED)
  set(_fontscan_gz_dir ${PROJECT_BINARY_DIR}/packaging)
  file(MAKE_DIRECTORY ${_fontscan_gz_dir})

  # A native package: its changelog is changelog.gz in Debian's format.
  file(WRITE ${_fontscan_gz_dir}/changelog.in
"fontscan (${PROJECT_VERSION}) unstable; urgency=medium

  * First packaged release: fontscan and fontsheet, their man pages, the
    README, the licences and the sample font.

 -- ${FONTSCAN_MAINTAINER}  Mon, 07 Dec 2026 12:00:00 +0000
")
  configure_file(${_fontscan_gz_dir}/changelog.in ${_fontscan_gz_dir}/changelog COPYONLY)

  # Debian's copyright file: the project's licence and those of what the package carries besides
  # the project's own code (the sample font, zlib), each in full.
  set(_fontscan_copyright_parts
    LICENSE licenses/font-8x8-dhepper.txt licenses/zlib.txt)
  set(_fontscan_copyright
"fontscan ${PROJECT_VERSION}: fontscan and fontsheet, programs that check a bitmap font kept as
C source, draw it as a PNG sheet and read such a sheet back.

The programs are the work of the fontscan developers, under the MIT licence
below. The package also carries the sample font 8x8_basic_dhepper.h (public
domain), and fontsheet holds code of zlib; their licences follow in
full. /usr/share/doc/fontscan/licenses/ holds the same
texts and those of the fonts in fontscan's source tree.

The programs are linked statically with the GNU C Library and GCC's libstdc++
and libgcc; their licences are in /usr/share/doc/libc6/copyright and
/usr/share/doc/libstdc++6/copyright.
")
  foreach(_part IN LISTS _fontscan_copyright_parts)
    file(READ ${PROJECT_SOURCE_DIR}/${_part} _text)
    string(APPEND _fontscan_copyright
      "\n-------------------------------------------------------------------------------\n"
      "${_part}:\n\n${_text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${_part})
  endforeach()
  file(WRITE ${_fontscan_gz_dir}/copyright.in "${_fontscan_copyright}")
  configure_file(${_fontscan_gz_dir}/copyright.in ${_fontscan_gz_dir}/copyright COPYONLY)

  set(_fontscan_gz_files)
  foreach(_source docs/fontscan.1 docs/fontsheet.1 ${_fontscan_gz_dir}/changelog)
    get_filename_component(_name ${_source} NAME)
    get_filename_component(_source ${_source} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
    add_custom_command(
      OUTPUT ${_fontscan_gz_dir}/${_name}.gz
      COMMAND ${FONTSCAN_GZIP} -9 -n -c ${_source} > ${_fontscan_gz_dir}/${_name}.gz
      DEPENDS ${_source}
      COMMENT "Compressing ${_name}")
    list(APPEND _fontscan_gz_files ${_fontscan_gz_dir}/${_name}.gz)
  endforeach()
  add_custom_target(fontscan_compressed_docs ALL DEPENDS ${_fontscan_gz_files})

  install(FILES ${_fontscan_gz_dir}/fontscan.1.gz ${_fontscan_gz_dir}/fontsheet.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # Lintian takes a static program for a mistake. These two are static on purpose: a run is a few
  # milliseconds, and loading the C++ runtime dynamically cost about 2 ms of each (README,
  # "Robustness and performance"). fontsheet carries zlib for the same reason.
  file(WRITE ${_fontscan_gz_dir}/lintian-overrides.in
"# Both programs are linked statically on purpose: a whole run takes a few
# milliseconds, and loading the C++ runtime dynamically cost about 2 ms of it.
fontscan: statically-linked-binary [usr/bin/fontscan]
fontscan: statically-linked-binary [usr/bin/fontsheet]
# The static fontsheet holds zlib for its PNG files, as every static program would.
fontscan: embedded-library zlib [usr/bin/fontsheet]
")
  configure_file(${_fontscan_gz_dir}/lintian-overrides.in ${_fontscan_gz_dir}/lintian-overrides
                 COPYONLY)

  # Debian's own files go into the .deb only, not into a plain install under a prefix.
  install(FILES ${_fontscan_gz_dir}/copyright ${_fontscan_gz_dir}/changelog.gz
          DESTINATION ${_fontscan_doc_dir} COMPONENT deb EXCLUDE_FROM_ALL)
  install(FILES ${_fontscan_gz_dir}/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME fontscan
          COMPONENT deb EXCLUDE_FROM_ALL)
endif()

# CPack.
set(CPACK_PACKAGE_NAME fontscan)
set(CPACK_PACKAGE_VENDOR "the fontscan developers")
set(CPACK_PACKAGE_CONTACT "${FONTSCAN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check and draw bitmap fonts kept as C source")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/packaging/cpack_project_config.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_BINARY_DIR}/packaging/cpack_folder_modes.cmake)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FONTSCAN_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # The whole program (the files every install gets) and the Debian files.
  set(CPACK_INSTALL_CMAKE_PROJECTS
      "${PROJECT_BINARY_DIR};fontscan;Unspecified;/" "${PROJECT_BINARY_DIR};fontscan;deb;/")
  # The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; CPack indents these lines and marks the
  # empty one.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"fontscan reads a bitmap font kept as a C array initializer, one braced byte
list per glyph, whose file name gives the glyph size (8x16_font.h). It skips
comments and preprocessor lines, checks every glyph and reports the exact
file position of the first syntax or size error.

fontsheet takes the same command line and draws the font as a PNG sheet, or
reads such a sheet, also one edited in a paint program, back into C source.")
endif()

# Run by cpack: SOURCE_DATE_EPOCH from the last commit unless the caller sets it. The DEB
# generator takes every time stamp from it. Zip entries hold local times as well, so the packing
# runs in UTC whatever the machine's time zone.
file(WRITE ${PROJECT_BINARY_DIR}/packaging/cpack_project_config.cmake
"set(ENV{TZ} UTC)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C \"${PROJECT_SOURCE_DIR}\" log -1 --format=%ct
                  OUTPUT_VARIABLE _epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE _result ERROR_QUIET)
  if(_result EQUAL 0 AND _epoch MATCHES \"^[0-9]+$\")
    set(ENV{SOURCE_DATE_EPOCH} \"\${_epoch}\")
  else()
    message(WARNING \"No git commit and no SOURCE_DATE_EPOCH: package time stamps are today's\")
  endif()
endif()
")
# Run by cpack on the staged files before it packs them: the generators take each entry's mode
# from the staged file, so every staged folder becomes 0755, as the umask may have made it
# narrower. (Time stamps need nothing here: both generators, and cmake -E tar, stamp every entry
# with SOURCE_DATE_EPOCH.)
file(WRITE ${PROJECT_BINARY_DIR}/packaging/cpack_folder_modes.cmake
"file(GLOB_RECURSE _staged LIST_DIRECTORIES TRUE \"\${CPACK_TEMPORARY_DIRECTORY}/*\")
foreach(_path IN LISTS _staged)
  if(IS_DIRECTORY \"\${_path}\" AND NOT IS_SYMLINK \"\${_path}\")
    file(CHMOD \"\${_path}\" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
         GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
")

if(WIN32)
  # The zip generator adds the staged files in the order the file system lists them. The zip is
  # packed again from the same staged files, sorted by name, with the same time stamps and modes.
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_BINARY_DIR}/packaging/cpack_sorted_zip.cmake)
  file(WRITE ${PROJECT_BINARY_DIR}/packaging/cpack_sorted_zip.cmake
"get_filename_component(_top \"\${CPACK_TEMPORARY_DIRECTORY}\" DIRECTORY)
file(GLOB_RECURSE _files LIST_DIRECTORIES FALSE RELATIVE \"\${_top}\"
     \"\${CPACK_TEMPORARY_DIRECTORY}/*\")
list(SORT _files)
list(JOIN _files \"\\n\" _list)
file(WRITE \"\${_top}/sorted-files.txt\" \"\${_list}\\n\")
foreach(_package IN LISTS CPACK_PACKAGE_FILES)
  if(_package MATCHES \"[.]zip$\")
    file(REMOVE \"\${_package}\")
    execute_process(COMMAND \"${CMAKE_COMMAND}\" -E tar cf \"\${_package}\" --format=zip
                            --files-from=sorted-files.txt
                    WORKING_DIRECTORY \"\${_top}\" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
")
endif()

include(CPack)
