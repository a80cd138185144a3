# Reads CHANGELOG.md, the one record of releases, and makes from it what
# others show of them:
#   TAVREL_RELEASE_DATE        the date of the entry of PROJECT_VERSION, which
#                              must be the newest (manual page, metainfo)
#   TAVREL_METAINFO_RELEASES   the AppStream <release> elements, newest first
#   ${CMAKE_BINARY_DIR}/debian-changelog  the same entries in Debian's changelog format
#                              (installed compressed as the package's changelog.gz)
# An entry is "## VERSION (YYYY-MM-DD)" followed by "- " items; an item
# continues on lines indented by two spaces.

# Day of the week (Mon ... Sun) of a Gregorian date, by Sakamoto's method.
function(tavrel_weekday year month day result)
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(names Sun Mon Tue Wed Thu Fri Sat)
  list(GET names ${weekday} name)
  set(${result} ${name} PARENT_SCOPE)
endfunction()

# An item as Debian changelog lines: "  * " then words up to 78 columns,
# continued under the first word.
function(tavrel_debian_item text result)
  string(REPLACE " " ";" words "${text}")
  set(out "")
  set(line "  *")
  foreach(word IN LISTS words)
    # Measured as printed: each stand-in (see below) is one character.
    string(REGEX REPLACE "@(semicolon|open|close)@" "x" shown "${line} ${word}")
    string(LENGTH "${shown}" width)
    if(width GREATER 78)
      string(APPEND out "${line}\n")
      set(line "   ")
    endif()
    string(APPEND line " ${word}")
  endforeach()
  set(${result} "${out}${line}\n" PARENT_SCOPE)
endfunction()

function(tavrel_xml_escaped text result)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

function(tavrel_read_changelog path package maintainer)
  file(READ "${path}" text)
  # CMake's lists split at semicolons and group by brackets: these stand-ins
  # hide them while the text is handled as a list of lines and words.
  string(REPLACE ";" "@semicolon@" text "${text}")
  string(REPLACE "[" "@open@" text "${text}")
  string(REPLACE "]" "@close@" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  list(APPEND lines "")

  set(versions "")
  set(debian "")
  set(metainfo "")
  set(item "")
  set(entry_trailer "")
  foreach(line IN LISTS lines)
    string(REPLACE "`" "" line "${line}")
    # An item ends at the next item, heading or blank line.
    if(NOT item STREQUAL "" AND NOT line MATCHES "^  +[^ ]")
      tavrel_debian_item("${item}" lines_of_item)
      string(APPEND debian "${lines_of_item}")
      tavrel_xml_escaped("${item}" escaped)
      string(APPEND metainfo "          <li>${escaped}</li>\n")
      set(item "")
    endif()
    if(line MATCHES "^## ([0-9]+(\\.[0-9]+)+) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
      set(version ${CMAKE_MATCH_1})
      set(date "${CMAKE_MATCH_3}-${CMAKE_MATCH_4}-${CMAKE_MATCH_5}")
      if(versions STREQUAL "")
        set(latest_date ${date})
      endif()
      list(APPEND versions ${version})
      math(EXPR month "1${CMAKE_MATCH_4} - 100")
      math(EXPR day "1${CMAKE_MATCH_5} - 100")
      tavrel_weekday(${CMAKE_MATCH_3} ${month} ${day} weekday)
      set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
      math(EXPR month_index "${month} - 1")
      list(GET month_names ${month_index} month_name)
      string(APPEND debian "${entry_trailer}${package} (${version}) unstable; urgency=medium\n\n")
      set(entry_trailer
        "\n -- ${maintainer}  ${weekday}, ${CMAKE_MATCH_5} ${month_name} ${CMAKE_MATCH_3} 12:00:00 +0000\n\n")
      if(NOT metainfo STREQUAL "")
        string(APPEND metainfo "        </ul>\n      </description>\n    </release>\n")
      endif()
      string(APPEND metainfo "    <release version=\"${version}\" date=\"${date}\">\n"
                             "      <description>\n        <ul>\n")
    elseif(versions STREQUAL "")
      # The introduction, before the first release.
    elseif(line MATCHES "^- (.+)$")
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^  +(.+)$")
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(NOT line STREQUAL "")
      message(FATAL_ERROR "${path}: neither a release heading nor an item: ${line}")
    endif()
  endforeach()
  string(APPEND metainfo "        </ul>\n      </description>\n    </release>")
  string(REGEX REPLACE "\n+$" "\n" debian "${debian}${entry_trailer}")

  foreach(output debian metainfo)
    string(REPLACE "@semicolon@" ";" ${output} "${${output}}")
    string(REPLACE "@open@" "[" ${output} "${${output}}")
    string(REPLACE "@close@" "]" ${output} "${${output}}")
  endforeach()

  list(GET versions 0 latest)
  if(NOT latest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${path}: the newest entry is ${latest}, the project's version is ${PROJECT_VERSION}; "
                        "add the entry of this release at the top")
  endif()
  set(TAVREL_RELEASE_DATE ${latest_date} PARENT_SCOPE)
  set(TAVREL_METAINFO_RELEASES "${metainfo}" PARENT_SCOPE)
  # Written only when it changes, so that a new configure packs nothing again.
  set(written "")
  if(EXISTS ${CMAKE_BINARY_DIR}/debian-changelog)
    file(READ ${CMAKE_BINARY_DIR}/debian-changelog written)
  endif()
  if(NOT written STREQUAL debian)
    file(WRITE ${CMAKE_BINARY_DIR}/debian-changelog "${debian}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
endfunction()
